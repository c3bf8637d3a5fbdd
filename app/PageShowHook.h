#pragma once

#include <QHash>
#include <QObject>

#include <functional>

class QWidget;

// Runs a page's start routine whenever the page itself becomes visible in its
// page control: when its tab is shown, also when the same page is shown again
// after all tabs were hidden. A window or a parent page being shown again does
// not count (the page was never hidden from its parent), which is why this
// listens for ShowToParent rather than the tab widget's currentChanged or a
// plain show event.
class PageShowHook : public QObject
{
public:
    using Routine = std::function<void()>;

    explicit PageShowHook(QObject* parent = nullptr);

    void watch(QWidget* page, Routine routine);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QHash<QObject*, Routine> routines_;
};
