#include "app/Announcements.h"

#include <QAccessible>
#include <QWidget>

namespace {

Announcements::Listener& listener()
{
    static Announcements::Listener instance;
    return instance;
}

} // namespace

void Announcements::announce(QWidget* widget)
{
    QAccessibleEvent event(widget, QAccessible::Alert);
    if (listener())
        listener()(event);
    QAccessible::updateAccessibility(&event);
}

void Announcements::setListener(Listener newListener)
{
    listener() = std::move(newListener);
}
