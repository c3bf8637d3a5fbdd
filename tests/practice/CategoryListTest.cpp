#include "practice/CategoryList.h"
#include "store/ConversionError.h"
#include "store/RecordSet.h"

#include "support/BankTest.h"

#include <gtest/gtest.h>

namespace {

// The units of the practice modes over a test bank, without a window.
using PracticeUnits = BankTest;

} // namespace

TEST_F(PracticeUnits, theCategoryListSkipsHeadingsAndStopsAtANumberThatIsNoInteger)
{
    bank.exec(QStringLiteral("drop table classes"));
    bank.exec(QStringLiteral("create table classes ([no], remark)"));
    for (const char* row : {"(100, '第一章')", "(101, '一')", "('0102', '二')", "(200, '第二章')", "('2x', '坏')",
                            "('3x', '更坏')"})
        bank.exec(QStringLiteral("insert into classes values %1").arg(QString::fromUtf8(row)));
    RecordSet scratch(db());

    const CategoryList list = CategoryList::read(scratch);
    ASSERT_EQ(list.categories.size(), 2);
    EXPECT_EQ(list.categories[0].title, QStringLiteral("一"));
    EXPECT_EQ(list.categories[0].number, 101);
    EXPECT_EQ(list.categories[1].number, 102); // its text "0102": offered, as the number 102
    ASSERT_TRUE(list.stoppedBy);
    try {
        std::rethrow_exception(list.stoppedBy);
    } catch (const ConversionError& error) {
        EXPECT_EQ(error.text(), QStringLiteral("'2x' is not a valid integer value"));
    }

    bank.exec(QStringLiteral("delete from classes where [no] like '%x'"));
    scratch.close();
    EXPECT_FALSE(CategoryList::read(scratch).stoppedBy);
}
