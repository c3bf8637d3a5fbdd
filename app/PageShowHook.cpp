#include "app/PageShowHook.h"

#include "app/ErrorReporting.h"

#include <QEvent>
#include <QWidget>

PageShowHook::PageShowHook(QObject* parent)
    : QObject(parent)
{
}

void PageShowHook::watch(QWidget* page, Routine routine)
{
    routines_.insert(page, std::move(routine));
    page->installEventFilter(this);
}

bool PageShowHook::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShowToParent) {
        if (const auto routine = routines_.constFind(watched); routine != routines_.constEnd())
            guarded(*routine);
    }
    return QObject::eventFilter(watched, event);
}
