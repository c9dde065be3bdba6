// The panel column at the small screens people still have: it scrolls up
// and down when it does not fit, never sideways, and no control in it is
// squeezed below its least size or sticks out of what holds it.
#include "PanelTestSupport.h"
#include "tools/framework/ToolSet.h"
#include "ui/view/MainView.h"

#include <QScrollBar>

namespace kv {
namespace {

using test::PanelTest;

// Controls that are cut: drawn partly outside their parent, or given less
// room than their least size (a list or scroll area may be smaller: it
// scrolls).
QStringList ClippedControls(const QWidget& root) {
    QStringList clipped;
    for (const QWidget* w : root.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&root) || w->isWindow()) continue;
        const QString name =
            QString(w->metaObject()->className()) + " '" +
            (w->accessibleName().isEmpty() ? w->objectName() : w->accessibleName()) + "'";
        if (!w->parentWidget()->rect().contains(w->geometry()))
            clipped << name + " outside its parent";
        // The least size the layouts grant: an explicit minimum, else the
        // hint (a spin box's own edit box is the spin box's business).
        QSize least = w->minimumSizeHint();
        if (w->minimumWidth() > 0) least.setWidth(w->minimumWidth());
        if (w->minimumHeight() > 0) least.setHeight(w->minimumHeight());
        const bool scrolls = w->inherits("QAbstractScrollArea");
        const bool inner = w->parentWidget()->inherits("QAbstractSpinBox") ||
                           w->parentWidget()->inherits("QComboBox");
        if (!scrolls && !inner && least.isValid() &&
            (w->width() < least.width() || w->height() < least.height()))
            clipped << name + QString(" squeezed to %1x%2 below %3x%4")
                                  .arg(w->width())
                                  .arg(w->height())
                                  .arg(least.width())
                                  .arg(least.height());
    }
    return clipped;
}

class PanelColumnFitTest : public PanelTest {};

TEST_F(PanelColumnFitTest, ScrollsUpAndDownButNeverClipsAtSmallScreens) {
    const QSize sizes[] = {{1024, 768}, {1366, 768}, {1600, 900}};
    const ToolId* none = nullptr;
    const ToolId brush = ToolId::Brush, text = ToolId::Text;
    for (const QSize size : sizes) {
        window->resize(size);
        // The tool panel grows and shrinks with the tool after the window
        // is laid out.
        for (const ToolId* tool : {none, &text, &brush}) {
            if (tool) window->chooseTool(*tool);
            for (int i = 0; i < 3; ++i)
                QApplication::processEvents();
            const std::string at = std::to_string(size.width()) + "x" +
                                   std::to_string(size.height()) + (tool ? " with a tool" : "");
            PanelColumn& c = column();
            const QWidget& inner = *c.widget();
            EXPECT_FALSE(c.horizontalScrollBar()->isVisible()) << at;
            EXPECT_EQ(inner.width(), c.viewport()->width()) << at;
            EXPECT_GE(inner.height(), inner.minimumSizeHint().height()) << at;
            const bool fits = inner.minimumSizeHint().height() <= c.viewport()->height();
            EXPECT_EQ(c.verticalScrollBar()->isVisible(), !fits) << at;
            if (!fits) {
                EXPECT_EQ(c.verticalScrollBar()->maximum(), inner.height() - c.viewport()->height())
                    << at;
            }
            EXPECT_EQ(ClippedControls(inner).join("; ").toStdString(), "") << at;
            // The column keeps its width whether or not it scrolls.
            EXPECT_EQ(inner.width(), PanelColumn::kWidth) << at;
        }
    }
}

} // namespace
} // namespace kv
