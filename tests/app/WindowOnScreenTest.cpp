#include "support/FormDriver.h"

#include "layout/FormLayout.h"

#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

#include <gtest/gtest.h>

// Run once per screen size and scale factor (see CMakeLists.txt): the
// platform's one screen is QUENHAR_TEST_SCREEN device pixels large, and Qt
// scales by QT_SCALE_FACTOR.
TEST(WindowOnScreen, theWholeFrameAndTheTabsAreOnTheScreen)
{
    const QStringList screenSize = qEnvironmentVariable("QUENHAR_TEST_SCREEN").split(u'x');
    ASSERT_EQ(screenSize.size(), 2);
    const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();

    TestBank bank;
    bank.addClass(101, QStringLiteral("道路通行规定"));
    bank.addSubjects(1, 3, 101);
    FormDriver ui(bank);
    TfrmMain& form = ui.form();
    QScreen* screen = form.screen();

    // The platform took the screen and the scale factor asked for.
    ASSERT_DOUBLE_EQ(form.devicePixelRatio(), scale);
    // (Device-independent sizes are whole pixels: 1366 / 1.5 is 911.)
    ASSERT_NEAR(screen->geometry().width() * scale, screenSize[0].toInt(), scale);
    ASSERT_NEAR(screen->geometry().height() * scale, screenSize[1].toInt(), scale);

    const QRect available = screen->availableGeometry();
    const QRect frame = form.frameGeometry();
    EXPECT_TRUE(available.contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x"
                                           << frame.height() << " on " << available.width() << "x"
                                           << available.height();
    auto* tabs = ui.get<QTabWidget>("pcMain");
    const QRect tabBar(tabs->mapToGlobal(tabs->tabBar()->geometry().topLeft()), tabs->tabBar()->size());
    EXPECT_TRUE(available.contains(tabBar));

    // Where the window's own size fits, it keeps it and is centred.
    const QSize outer = FormLayout::clientSize + FormLayout::frameAllowance;
    if (outer.width() <= available.width() && outer.height() <= available.height()) {
        EXPECT_EQ(form.size(), FormLayout::clientSize);
        EXPECT_LE(std::abs((frame.left() - available.left()) - (available.right() - frame.right())),
                  FormLayout::frameAllowance.width());
        EXPECT_LE(std::abs((frame.top() - available.top()) - (available.bottom() - frame.bottom())),
                  FormLayout::frameAllowance.height());
    }
}
