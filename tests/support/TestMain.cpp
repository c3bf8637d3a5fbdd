#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

// Runs the tests inside a QApplication. Without a display the offscreen
// platform is used, so that the test programs also run where CMake lists
// their tests and in CI.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
