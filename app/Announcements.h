#pragma once

#include <functional>

class QAccessibleEvent;
class QWidget;

// What a screen reader should say at once, without the focus moving: the
// verdict on an answer, a new question. Each announcement is an alert event
// on the control that says it, handed to Qt's accessibility, which passes it
// on while assistive technology listens and drops it otherwise (Qt's
// offscreen platform has no accessibility at all).
namespace Announcements {

void announce(QWidget* widget);

// Sees every announcement before Qt does, whether or not anything listens
// to Qt; an empty function stops it. The tests hear the window through it.
using Listener = std::function<void(QAccessibleEvent& event)>;
void setListener(Listener listener);

} // namespace Announcements
