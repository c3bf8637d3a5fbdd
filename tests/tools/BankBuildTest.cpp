#include "tools/commands/BankBuild.h"

#include "support/TestBank.h"
#include "ToolFixtures.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString goodCategory = R"({"no": 101, "title": "驾驶证"})";

QString question(int no, const QString& extra = {})
{
    return QStringLiteral(R"({"no": %1, "category": 101, "type": "judge", "text": "题 %1", "answer": "对", )"
                          R"("mustAnswer": false%2})")
        .arg(no)
        .arg(extra);
}

class BankBuildTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }

    BankBuild::Result build(const QByteArray& json, bool force = false)
    {
        writeFile(path(QStringLiteral("bank.json")), json);
        return BankBuild::run({path(QStringLiteral("bank.json")), {}, path(QStringLiteral("out.db")), force});
    }

private:
    QTemporaryDir dir_;
};

} // namespace

TEST_F(BankBuildTest, writesTheRowsWithTheirStoredValues)
{
    writeFile(path(QStringLiteral("pictures/p.bmp")), makeBitmap(2, 2));
    const auto result = build(jsonSource(
        {R"({"no": 100, "title": "章"})", goodCategory},
        {QStringLiteral(R"({"no": 3, "category": 101, "type": "single", "text": "题\nA、一\nB、二\nC、三", )"
                        R"("answer": "C", "mustAnswer": true, "picture": "pictures/p.bmp"})"),
         question(1)},
        {R"({"title": "记分", "text": "说明"})"}));
    ASSERT_EQ(result.exitCode, 0) << result.message.toStdString();

    EXPECT_EQ(tableRows(path(QStringLiteral("out.db")), QStringLiteral("classes")),
              (QStringList{QStringLiteral("integer:100|text:章"), QStringLiteral("integer:101|text:驾驶证")}));
    EXPECT_EQ(tableRows(path(QStringLiteral("out.db")), QStringLiteral("Subjects")),
              (QStringList{
                  QStringLiteral("integer:1|text:题 1|integer:0|integer:1|integer:0|integer:101|null"),
                  QStringLiteral("integer:3|text:题\nA、一\nB、二\nC、三|integer:2|integer:0|integer:1|integer:101|blob:")
                      + QString::fromLatin1(makeBitmap(2, 2).toHex()),
              }));
    EXPECT_EQ(tableRows(path(QStringLiteral("out.db")), QStringLiteral("ziliao")),
              QStringList{QStringLiteral("integer:1|text:记分|text:说明")});
}

TEST_F(BankBuildTest, aFailedBuildLeavesNoBankAndNoTemporaryFile)
{
    const auto result = build(jsonSource({goodCategory}, {question(1), question(2, R"(, "picture": "gone.png")")}));
    EXPECT_EQ(result.exitCode, 1);
    ASSERT_EQ(result.problems.errors().size(), 1);
    EXPECT_EQ(result.problems.errors()[0].line, 9);
    EXPECT_TRUE(result.problems.errors()[0].reason.contains(QStringLiteral("gone.png")));
    EXPECT_EQ(folderEntries(QFileInfo(path(QStringLiteral("bank.json"))).path()),
              QStringList{QStringLiteral("bank.json")});
}

TEST_F(BankBuildTest, neverOverwritesAnExistingBankWithoutForce)
{
    writeFile(path(QStringLiteral("out.db")), "precious");
    const auto result = build(jsonSource({goodCategory}, {question(1)}));
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(readFile(path(QStringLiteral("out.db"))), QByteArray("precious"));
    EXPECT_EQ(folderEntries(QFileInfo(path(QStringLiteral("out.db"))).path()),
              (QStringList{QStringLiteral("bank.json"), QStringLiteral("out.db")}));
}

TEST_F(BankBuildTest, replacesAnExistingBankWithForce)
{
    writeFile(path(QStringLiteral("out.db")), "old");
    const auto result = build(jsonSource({goodCategory}, {question(1)}), true);
    ASSERT_EQ(result.exitCode, 0) << result.message.toStdString();
    EXPECT_EQ(tableRows(path(QStringLiteral("out.db")), QStringLiteral("Subjects")).size(), 1);
    EXPECT_EQ(folderEntries(QFileInfo(path(QStringLiteral("out.db"))).path()),
              (QStringList{QStringLiteral("bank.json"), QStringLiteral("out.db")}));
}

TEST_F(BankBuildTest, aFailedForcedBuildKeepsTheExistingBank)
{
    writeFile(path(QStringLiteral("out.db")), "old");
    const auto result = build(jsonSource({goodCategory}, {question(1, R"(, "answer2": 1)")}), true);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(readFile(path(QStringLiteral("out.db"))), QByteArray("old"));
    EXPECT_EQ(folderEntries(QFileInfo(path(QStringLiteral("out.db"))).path()),
              (QStringList{QStringLiteral("bank.json"), QStringLiteral("out.db")}));
}

// A source is told by its content: a file that is no sheet is refused for
// what it holds, whatever its name.
TEST_F(BankBuildTest, refusesASourceOfAnotherKind)
{
    writeFile(path(QStringLiteral("bank.docx")), QByteArray("PK\x03\x04", 4) + QByteArray(60, '\0'));
    const auto result = BankBuild::run({path(QStringLiteral("bank.docx")), {}, path(QStringLiteral("out.db")), false});
    EXPECT_EQ(result.exitCode, 1);
    ASSERT_EQ(result.problems.errors().size(), 1);
    EXPECT_TRUE(result.problems.errors()[0].reason.contains(QStringLiteral("not a zip archive")));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("out.db"))));
}

// What a learner would miss is said while building, and the bank is still
// written: a bank too small for the mock exam, a photo kept as a bitmap
// many times its file's size.
TEST_F(BankBuildTest, warnsAboutAPhotoStoredLargeAndABankWithoutAMockExam)
{
    QImage photo(400, 400, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x * 255 / 400, y * 255 / 400, (x + y) * 255 / 800));
    writeFile(path(QStringLiteral("photo.jpg")), encoded(photo, "JPG"));
    const auto result = build(jsonSource({goodCategory}, {question(1, R"(, "picture": "photo.jpg")")}));
    ASSERT_EQ(result.exitCode, 0) << result.message.toStdString();
    QStringList warnings;
    for (const SourceProblem& warning : result.problems.warnings())
        warnings.append(warning.toString());
    ASSERT_EQ(warnings.size(), 2) << warnings.join('\n').toStdString();
    EXPECT_TRUE(warnings.filter(QStringLiteral("no mock exam can run on this bank: it has 1 ordinary questions")).size() == 1)
        << warnings.join('\n').toStdString();
    const QString growth = warnings.filter(QStringLiteral("photo.jpg")).value(0);
    EXPECT_TRUE(growth.contains(QStringLiteral("is stored as a bitmap of 468.8 KB")) && growth.contains(QStringLiteral("times its file")))
        << growth.toStdString();
}
