#include "store/ConversionError.h"
#include "store/FieldValue.h"

#include <gtest/gtest.h>

TEST(IntegerText, readsDecimalNumbersWithLeadingBlanksAndSign)
{
    EXPECT_EQ(integerFromText(QStringLiteral("101")), 101);
    EXPECT_EQ(integerFromText(QStringLiteral("0101")), 101);
    EXPECT_EQ(integerFromText(QStringLiteral("  7")), 7);
    EXPECT_EQ(integerFromText(QStringLiteral("-12")), -12);
    EXPECT_EQ(integerFromText(QStringLiteral("+3")), 3);
    EXPECT_EQ(integerFromText(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(integerFromText(QStringLiteral("-2147483648")), -2147483647 - 1);
}

TEST(IntegerText, rejectsWhatIsNotAWholeIntegerWithTheUsersText)
{
    for (const char* text : {"", "   ", "1 2", "12 ", "abc", "1.5", "2147483648", "-", "１２"}) {
        try {
            integerFromText(QString::fromUtf8(text));
            ADD_FAILURE() << "accepted " << text;
        } catch (const ConversionError& error) {
            EXPECT_EQ(error.text(), QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf8(text)));
        }
    }
}

TEST(IntegerText, fallbackReplacesOnlyInvalidText)
{
    EXPECT_EQ(integerFromTextOr(QStringLiteral("90"), 0), 90);
    EXPECT_EQ(integerFromTextOr(QString(), 0), 0);
    EXPECT_EQ(integerFromTextOr(QStringLiteral("x"), -1), -1);
}
