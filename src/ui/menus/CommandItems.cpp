#include "ui/menus/CommandItems.h"

#include "ui/menus/ShortcutTable.h"

#include <QAction>
#include <QMenu>

namespace kv {

QAction* CommandItems::add(QMenu* menu, const char* text, Command command, Condition condition) {
    auto* action = new QAction(QString::fromUtf8(text), menu);
    // The table names an item by its menu bar menu and the submenus that
    // lead to it: "&Edit", "&Selection > &Deselect".
    QString path = QString::fromUtf8(text);
    const QMenu* top = menu;
    for (; auto* outer = qobject_cast<const QMenu*>(top->parent()); top = outer)
        path = top->title() + " > " + path;
    if (const MenuShortcut* shortcut =
            FindMenuShortcut(top->title().toStdString(), path.toStdString())) {
        QList<QKeySequence> keys;
        for (QKeyCombination key : shortcut->keys())
            keys.append(QKeySequence(key));
        action->setShortcuts(keys);
    }
    // The shortcuts work wherever the focus is inside the window.
    action->setShortcutContext(Qt::WindowShortcut);
    menu->addAction(action);
    m_items.push_back({action, std::move(command), std::move(condition)});
    const std::size_t index = m_items.size() - 1;
    connect(action, &QAction::triggered, this, [this, index] { run(m_items[index]); });
    return action;
}

void CommandItems::run(const Item& item) {
    // A shortcut may come before the next refresh caught up with the model.
    if (item.condition && !item.condition()) {
        enable(item);
        return;
    }
    item.command();
    if (m_after) m_after();
    refresh();
}

void CommandItems::enable(const Item& item) {
    item.action->setEnabled(!item.condition || item.condition());
}

void CommandItems::refresh() {
    for (const Item& item : m_items)
        enable(item);
}

void CommandItems::refresh(const QMenu* menu) {
    for (const Item& item : m_items) {
        for (const QObject* owner = item.action->parent(); owner; owner = owner->parent()) {
            if (owner == menu) {
                enable(item);
                break;
            }
        }
    }
}

QAction* CommandItems::find(const QString& text) const {
    for (const Item& item : m_items)
        if (item.action->text() == text) return item.action;
    return nullptr;
}

} // namespace kv
