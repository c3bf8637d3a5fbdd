#include "app/PageControlAccessible.h"

#include "app/PageControl.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QStackedWidget>
#include <QTabBar>

namespace {

// The tab bar's shown tabs, in order, by index.
QList<int> shownTabs(const QTabBar* tabBar)
{
    QList<int> tabs;
    for (int i = 0; i < tabBar->count(); ++i) {
        if (tabBar->isTabVisible(i))
            tabs.append(i);
    }
    return tabs;
}

// One shown tab: its caption as its name, selected while current; pressing
// it makes its page current.
class ShownTab : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    ShownTab(QTabBar* tabBar, int index)
        : tabBar_(tabBar)
        , index_(index)
    {
    }

    bool isValid() const override { return tabBar_ && index_ < tabBar_->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent() ? parent()->window() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(tabBar_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    void setText(QAccessible::Text, const QString&) override {}

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state = parent()->state();
        state.selectable = true;
        state.selected = tabBar_->currentIndex() == index_;
        state.disabled = !tabBar_->isTabEnabled(index_);
        return state;
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect tab = tabBar_->tabRect(index_);
        return {tabBar_->mapToGlobal(tab.topLeft()), tab.size()};
    }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        switch (t) {
        case QAccessible::Name: {
            const QString name = tabBar_->accessibleTabName(index_);
            return name.isEmpty() ? tabBar_->tabText(index_) : name;
        }
        case QAccessible::Description:
            return tabBar_->tabToolTip(index_);
        default:
            return {};
        }
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (isValid() && action == pressAction())
            tabBar_->setCurrentIndex(index_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    int index() const { return index_; }

private:
    QPointer<QTabBar> tabBar_;
    int index_;
};

class ShownTabList : public QAccessibleWidget
{
public:
    explicit ShownTabList(QTabBar* tabBar)
        : QAccessibleWidget(tabBar, QAccessible::PageTabList)
    {
    }

    ~ShownTabList()
    {
        for (const QAccessible::Id id : std::as_const(tabs_))
            QAccessible::deleteAccessibleInterface(id);
    }

    QTabBar* tabBar() const { return static_cast<QTabBar*>(widget()); }

    int childCount() const override { return int(shownTabs(tabBar()).size()); }

    QAccessibleInterface* child(int position) const override
    {
        const QList<int> tabs = shownTabs(tabBar());
        if (position < 0 || position >= tabs.size())
            return nullptr;
        const int index = tabs.at(position);
        if (const QAccessible::Id id = tabs_.value(index))
            return QAccessible::accessibleInterface(id);
        auto* tab = new ShownTab(tabBar(), index);
        tabs_.insert(index, QAccessible::registerAccessibleInterface(tab));
        return tab;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child || child->role() != QAccessible::PageTab || child->parent() != this)
            return -1;
        return int(shownTabs(tabBar()).indexOf(static_cast<const ShownTab*>(child)->index()));
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && tabBar()->currentIndex() >= 0)
            return tabBar()->tabText(tabBar()->currentIndex());
        return QAccessibleWidget::text(t);
    }

private:
    mutable QHash<int, QAccessible::Id> tabs_; // by tab index
};

// The page stack: the pages whose tabs are shown.
class ShownPages : public QAccessibleWidget
{
public:
    ShownPages(QStackedWidget* stack, QTabWidget* pages)
        : QAccessibleWidget(stack, QAccessible::LayeredPane)
        , pages_(pages)
    {
    }

    int childCount() const override { return int(shown().size()); }
    QAccessibleInterface* child(int position) const override
    {
        const QList<QWidget*> pages = shown();
        return position >= 0 && position < pages.size() ? QAccessible::queryAccessibleInterface(pages.at(position))
                                                        : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? int(shown().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
    }

private:
    QList<QWidget*> shown() const
    {
        QList<QWidget*> pages;
        for (const int index : shownTabs(pages_->tabBar()))
            pages.append(pages_->widget(index));
        return pages;
    }

    QPointer<QTabWidget> pages_;
};

QAccessibleInterface* pageControlParts(const QString&, QObject* object)
{
    auto* pageControl = dynamic_cast<PageControl*>(object->parent());
    if (!pageControl)
        return nullptr;
    if (object == pageControl->tabBar())
        return new ShownTabList(pageControl->tabBar());
    if (auto* stack = qobject_cast<QStackedWidget*>(object))
        return new ShownPages(stack, pageControl);
    return nullptr;
}

} // namespace

void installPageControlAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&pageControlParts);
        return true;
    }();
    (void)installed;
}
