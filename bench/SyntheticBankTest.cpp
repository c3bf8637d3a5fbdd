// The synthetic banks the benchmarks run on: what the generator promises
// about counts, categories and pictures, read back through SQLite and the
// program's own picture decoder.

#include "bench/SyntheticBank.h"

#include "rules/StoredPicture.h"
#include "store/Database.h"
#include "store/Statement.h"
#include "store/StoreError.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SyntheticBankTest : public ::testing::Test
{
protected:
    QString write(const SyntheticBankOptions& options)
    {
        const QString path = QDir(dir_.path()).filePath(QStringLiteral("bank%1.db").arg(++banks_));
        writeSyntheticBank(path, options);
        return path;
    }

    static qint64 scalar(const QString& path, const QString& sql)
    {
        Database db(path);
        Statement statement(db.handle(), sql);
        return statement.step() ? statement.columnInt64(0) : -1;
    }

    QTemporaryDir dir_;
    int banks_ = 0;
};

SyntheticBankOptions smallBank()
{
    SyntheticBankOptions options;
    options.questions = 300;
    options.pictureShare = 50.0 / 300.0;
    options.pictureBytes = 20 * 1024;
    options.categories = 120;
    options.mustAnswer = 30;
    return options;
}

TEST_F(SyntheticBankTest, holdsTheQuestionsPicturesAndMustAnswerQuestionsAskedFor)
{
    const QString bank = write(smallBank());
    EXPECT_EQ(scalar(bank, QStringLiteral("select count(*) from Subjects")), 300);
    EXPECT_EQ(scalar(bank, QStringLiteral("select count(*) from Subjects where length(bmp) > 0")), 50);
    EXPECT_EQ(scalar(bank, QStringLiteral("select count(*) from Subjects where passOnly = 1")), 30);
    EXPECT_EQ(scalar(bank, QStringLiteral("select count(*) from Subjects where passOnly = 0")), 270);
    EXPECT_EQ(scalar(bank, QStringLiteral("select count(distinct [no]) from Subjects")), 300);
}

TEST_F(SyntheticBankTest, spreadsQuestionsOverOfferedCategoriesHeadedByChapters)
{
    const QString bank = write(smallBank());
    // 120 categories: 101-199 under chapter 100, 201-221 under chapter 200.
    EXPECT_EQ(scalar(bank, QStringLiteral("select count(*) from classes where substr([no], 2, 2) <> '00'")), 120);
    EXPECT_EQ(scalar(bank, QStringLiteral("select count(*) from classes where substr([no], 2, 2) = '00'")), 2);
    EXPECT_EQ(scalar(bank, QStringLiteral("select max([no]) from classes")), 221);
    EXPECT_EQ(scalar(bank, QStringLiteral("select count(*) from Subjects where fatherNo not in "
                                          "(select [no] from classes where substr([no], 2, 2) <> '00')")),
              0);
    EXPECT_EQ(scalar(bank, QStringLiteral("select count(distinct fatherNo) from Subjects")), 120);
}

TEST_F(SyntheticBankTest, writesAnswerKeysThatMatchTheKindOfQuestion)
{
    const QString bank = write(smallBank());
    // Single choice (classNo 0) answers A, B or C; true/false only 0 or 1.
    EXPECT_EQ(scalar(bank, QStringLiteral("select count(*) from Subjects where classNo = 0 and result not in (0, 1, 2)")),
              0);
    EXPECT_EQ(scalar(bank, QStringLiteral("select count(*) from Subjects where classNo <> 0 and result not in (0, 1)")),
              0);
    EXPECT_GT(scalar(bank, QStringLiteral("select count(*) from Subjects where classNo <> 0")), 0);
}

TEST_F(SyntheticBankTest, picturesAre24BitBitmapsOfTheSizeAskedForThatTheProgramDecodes)
{
    const QByteArray stored = syntheticPicture(100 * 1024, 7);
    EXPECT_NEAR(double(stored.size()), 100 * 1024.0, 1024.0);
    const QByteArrayView bmp = StoredPicture::bitmapBytes(stored);
    EXPECT_EQ(bmp.size(), stored.size() - 8); // behind the picture header
    EXPECT_EQ(quint8(bmp[28]), 24);
    const QImage image = StoredPicture::decode(stored);
    ASSERT_FALSE(image.isNull());
    EXPECT_NEAR(double(image.width()) * image.height() * 3, 100 * 1024.0, 2048.0);
}

TEST_F(SyntheticBankTest, picturesInTheBankDecode)
{
    const QString bank = write(smallBank());
    Database db(bank);
    Statement statement(db.handle(), QStringLiteral("select bmp from Subjects where length(bmp) > 0"));
    int decoded = 0;
    while (statement.step()) {
        EXPECT_FALSE(StoredPicture::decode(statement.columnBlob(0)).isNull());
        ++decoded;
    }
    EXPECT_EQ(decoded, 50);
}

TEST_F(SyntheticBankTest, neverOverwritesAnExistingFile)
{
    const QString bank = write(smallBank());
    EXPECT_THROW(writeSyntheticBank(bank, smallBank()), StoreError);
    EXPECT_EQ(scalar(bank, QStringLiteral("select count(*) from Subjects")), 300);
}

} // namespace
