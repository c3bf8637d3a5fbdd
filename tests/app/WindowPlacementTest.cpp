#include "app/WindowPlacement.h"
#include "layout/FormLayout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const QSize frame = FormLayout::clientSize + FormLayout::frameAllowance; // 774 × 563
const QSize minimum{400, 330};

// A screen's available area in device-independent pixels: the screen less a
// task bar 40 device pixels high at the bottom.
QRect availableArea(QSize screen, double scale)
{
    return {0, 0, int(std::floor(screen.width() / scale)), int(std::floor((screen.height() - 40) / scale))};
}

} // namespace

TEST(WindowPlacement, theFrameIsWholeOnTheAvailableAreaOnCommonScreensAtEveryScaleFactor)
{
    for (const QSize screen : {QSize(1366, 768), QSize(1920, 1080), QSize(2560, 1440), QSize(3840, 2160)}) {
        for (const double scale : {1.0, 1.25, 1.5, 2.0}) {
            const QRect available = availableArea(screen, scale);
            const QRect placed = placeFrame(available, frame, minimum);
            SCOPED_TRACE(testing::Message() << screen.width() << "x" << screen.height() << " at " << scale);
            EXPECT_TRUE(available.contains(placed)) << placed.x() << "," << placed.y() << " " << placed.width()
                                                    << "x" << placed.height();
            // Each axis: the whole size and centred where it fits, else the
            // whole area.
            if (frame.width() <= available.width()) {
                EXPECT_EQ(placed.width(), frame.width());
                EXPECT_LE(std::abs((placed.left() - available.left()) - (available.right() - placed.right())), 1);
            } else {
                EXPECT_EQ(placed.left(), available.left());
                EXPECT_EQ(placed.width(), available.width());
            }
            if (frame.height() <= available.height()) {
                EXPECT_EQ(placed.height(), frame.height());
                EXPECT_LE(std::abs((placed.top() - available.top()) - (available.bottom() - placed.bottom())), 1);
            } else {
                EXPECT_EQ(placed.top(), available.top());
                EXPECT_EQ(placed.height(), available.height());
            }
        }
    }
}

TEST(WindowPlacement, knownPlacements)
{
    struct Case
    {
        QRect available;
        QSize minimum;
        QRect expected;
    };
    const Case cases[] = {
        // 1920 × 1080 at scale 1: centred, full size.
        {{0, 0, 1920, 1040}, minimum, {573, 238, 774, 563}},
        // 1920 × 1080 at scale 2 (960 × 520): centred across, shrunk to the height.
        {{0, 0, 960, 520}, minimum, {93, 0, 774, 520}},
        // An available area that does not start at 0 (a task bar at the top
        // or on the left, a second screen).
        {{1920, 30, 683, 354}, minimum, {1920, 30, 683, 354}},
        // Smaller than the window can become: its top-left corner stays on the area.
        {{100, 50, 300, 200}, minimum, {100, 50, 400, 330}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(placeFrame(c.available, frame, c.minimum), c.expected);
}
