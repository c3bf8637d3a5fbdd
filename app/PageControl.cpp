#include "app/PageControl.h"

#include "app/PageControlAccessible.h"

#include <QKeyEvent>
#include <QTabBar>
#include <QWheelEvent>

namespace {

// The tab bar: its own keys and the wheel move between shown tabs only.
class ShownTabBar : public QTabBar
{
public:
    using QTabBar::QTabBar;

    // The first shown, enabled tab after `from` in the direction of `step`
    // (1 or -1), wrapping round or not; -1 when there is none.
    int shownTab(int from, int step, bool wrap) const
    {
        int index = from;
        for (int tried = 0; tried < count(); ++tried) {
            index += step;
            if (wrap)
                index = (index + count()) % count();
            else if (index < 0 || index >= count())
                return -1;
            if (index == from)
                return -1;
            if (isTabVisible(index) && isTabEnabled(index))
                return index;
        }
        return -1;
    }

    void moveTo(int index)
    {
        if (index >= 0)
            setCurrentIndex(index);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            moveTo(shownTab(currentIndex(), -1, false));
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            moveTo(shownTab(currentIndex(), 1, false));
            break;
        case Qt::Key_Home:
            moveTo(shownTab(-1, 1, false));
            break;
        case Qt::Key_End:
            moveTo(shownTab(count(), -1, false));
            break;
        default:
            QTabBar::keyPressEvent(event);
            return;
        }
        event->accept();
    }

    void wheelEvent(QWheelEvent* event) override
    {
        const int delta = event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
        if (delta != 0)
            moveTo(shownTab(currentIndex(), delta > 0 ? -1 : 1, false));
        event->accept();
    }
};

} // namespace

PageControl::PageControl(QWidget* parent)
    : QTabWidget(parent)
{
    installPageControlAccessibility();
    setTabBar(new ShownTabBar(this));
}

void PageControl::keyPressEvent(QKeyEvent* event)
{
    // Ctrl+Tab and Ctrl+Page Down go forward, Ctrl+Shift+Tab and Ctrl+Page
    // Up back; every other key is the tab widget's.
    int step = 0;
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        switch (event->key()) {
        case Qt::Key_Tab:
            step = event->modifiers().testFlag(Qt::ShiftModifier) ? -1 : 1;
            break;
        case Qt::Key_Backtab:
        case Qt::Key_PageUp:
            step = -1;
            break;
        case Qt::Key_PageDown:
            step = 1;
            break;
        default:
            break;
        }
    }
    if (step == 0) {
        QTabWidget::keyPressEvent(event);
        return;
    }
    const int next = static_cast<ShownTabBar*>(tabBar())->shownTab(currentIndex(), step, true);
    if (next < 0) {
        event->ignore(); // nothing else is shown here: the page control around this one may move
        return;
    }
    setCurrentIndex(next);
    event->accept();
}
