#pragma once

#include <QRect>
#include <QSize>

// Where a window's frame goes on a screen, and how large it is. A frame that
// fits the screen's available area keeps its size and is centred on it. On
// an axis where it does not fit (a small screen, or a large scale factor that
// leaves few device-independent pixels), it shrinks to the area but no
// further than `minimum`; what still does not fit starts at the area's
// top-left corner, so the title bar and the tabs stay within reach.
QRect placeFrame(const QRect& available, const QSize& frame, const QSize& minimum);
