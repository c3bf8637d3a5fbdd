#include "practice/GoToBox.h"
#include "store/ConversionError.h"

#include <gtest/gtest.h>

TEST(GoToBox, readsBlanksAsSpacesAndKeepsTheValueRightAligned)
{
    GoToBox box;
    box.setValue(1);
    EXPECT_EQ(box.displayText(), QStringLiteral("____1"));
    EXPECT_EQ(box.maskedText(), QStringLiteral("    1"));
    box.setValue(250);
    EXPECT_EQ(box.maskedText(), QStringLiteral("  250"));

    box.clear();
    box.setCursorPosition(0);
    box.insert(QStringLiteral("1"));
    box.setCursorPosition(2);
    box.insert(QStringLiteral("2"));
    EXPECT_EQ(box.maskedText(), QStringLiteral("1 2  "));
    box.insert(QStringLiteral("x")); // not a digit: refused
    EXPECT_EQ(box.maskedText(), QStringLiteral("1 2  "));
}

TEST(GoToBox, convertsTheTrimmedTextOrRaisesWithIt)
{
    EXPECT_EQ(goToNumber(QStringLiteral("   42")), 42);
    EXPECT_EQ(goToNumber(QStringLiteral(" 7   ")), 7);
    EXPECT_EQ(goToNumber(QStringLiteral("00003")), 3);
    try {
        goToNumber(QStringLiteral(" 1 2 "));
        FAIL();
    } catch (const ConversionError& error) {
        EXPECT_EQ(error.text(), QStringLiteral("'1 2' is not a valid integer value"));
    }
    EXPECT_THROW(goToNumber(QStringLiteral("     ")), ConversionError);
}
