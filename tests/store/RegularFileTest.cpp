#include "store/RegularFile.h"

#include <gtest/gtest.h>

TEST(RegularFile, namesItsLimitInWords)
{
    EXPECT_EQ(RegularFile::sizeText(64 * 1024 * 1024), QStringLiteral("64 MB"));
    EXPECT_EQ(RegularFile::sizeText(qint64(1) << 30), QStringLiteral("1 GB"));
    EXPECT_EQ(RegularFile::sizeText(1024), QStringLiteral("1 KB"));
    EXPECT_EQ(RegularFile::sizeText(1683456), QStringLiteral("1.6 MB"));
    EXPECT_EQ(RegularFile::sizeText(100), QStringLiteral("100 bytes"));
}
