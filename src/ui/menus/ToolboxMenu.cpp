#include "ui/menus/ToolboxMenu.h"

#include "tools/framework/Tool.h"
#include "tools/framework/ToolSet.h"
#include "ui/MainWindow.h"
#include "ui/panels/ToolIcons.h"
#include "ui/view/MainView.h"

#include <QActionGroup>
#include <QMenu>

namespace kv {

void AddToolboxMenu(QMenu& parent, MainWindow& window) {
    QMenu* menu = parent.addMenu("Tool&box");
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    for (const ToolDescriptor& tool : ToolboxOrder()) {
        QAction* action = menu->addAction(ToolIcon(tool.id), QString::fromUtf8(tool.toolboxName));
        action->setCheckable(true);
        group->addAction(action);
        const ToolId id = tool.id;
        QObject::connect(action, &QAction::triggered, menu,
                         [&window, id] { window.chooseTool(id); });
    }
    // Shows which tool is current, whoever chose it.
    QObject::connect(menu, &QMenu::aboutToShow, menu, [&window, menu] {
        const Tool* current = window.view().tools().current();
        const auto order = ToolboxOrder();
        for (std::size_t i = 0; i < order.size(); ++i)
            menu->actions()[static_cast<qsizetype>(i)]->setChecked(
                current == &window.view().tools().tool(order[i].id));
    });
}

} // namespace kv
