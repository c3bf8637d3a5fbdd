#include "app/WindowPlacement.h"

#include <algorithm>

namespace {

struct Span
{
    int start;
    int length;
};

Span placeSpan(int areaStart, int areaLength, int length, int minimum)
{
    const int placed = std::min(length, std::max(areaLength, minimum));
    if (placed > areaLength)
        return {areaStart, placed};
    return {areaStart + (areaLength - placed) / 2, placed};
}

} // namespace

QRect placeFrame(const QRect& available, const QSize& frame, const QSize& minimum)
{
    const Span x = placeSpan(available.x(), available.width(), frame.width(), minimum.width());
    const Span y = placeSpan(available.y(), available.height(), frame.height(), minimum.height());
    return {x.start, y.start, x.length, y.length};
}
