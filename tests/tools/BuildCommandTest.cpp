#include "tools/commands/BuildCommand.h"

#include "support/TestBank.h"
#include "ToolFixtures.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class BuildCommandTest : public FolderTest
{
protected:
    CommandOutcome build(const QByteArray& json, bool force = false)
    {
        writeFile(path(QStringLiteral("bank.json")), json);
        return outcomeOf(
            [&] { return BuildCommand::run({path(QStringLiteral("bank.json")), {}, path(QStringLiteral("out.db")), force}); });
    }
};

} // namespace

TEST_F(BuildCommandTest, writesTheRowsWithTheirStoredValues)
{
    writeFile(path(QStringLiteral("pictures/p.bmp")), makeBitmap(2, 2));
    const auto result = build(jsonSource(
        {R"({"no": 100, "title": "章"})", jsonCategory()},
        {QStringLiteral(R"({"no": 3, "category": 101, "type": "single", "text": "题\nA、一\nB、二\nC、三", )"
                        R"("answer": "C", "mustAnswer": true, "picture": "pictures/p.bmp"})"),
         jsonQuestion(1)},
        {R"({"title": "记分", "text": "说明"})"}));
    ASSERT_EQ(result.exitCode, 0) << result.text().toStdString();

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

TEST_F(BuildCommandTest, aFailedBuildLeavesNoBankAndNoTemporaryFile)
{
    const auto result = build(jsonSource({jsonCategory()}, {jsonQuestion(1), jsonQuestion(2, R"(, "picture": "gone.png")")}));
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.exitCode, 1);
    // The one error, on the picture's line (9), then why nothing was written.
    const QStringList errors = result.messages.filter(QStringLiteral("error: "));
    ASSERT_EQ(errors.size(), 1) << result.text().toStdString();
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("error: %1:9: ").arg(path(QStringLiteral("bank.json")))))
        << result.text().toStdString();
    EXPECT_TRUE(errors[0].contains(QStringLiteral("gone.png")));
    EXPECT_TRUE(result.messages.last().endsWith(QStringLiteral("no bank was written; correct the errors above and build again")));
    EXPECT_EQ(folderEntries(QFileInfo(path(QStringLiteral("bank.json"))).path()),
              QStringList{QStringLiteral("bank.json")});
}

TEST_F(BuildCommandTest, neverOverwritesAnExistingBankWithoutForce)
{
    writeFile(path(QStringLiteral("out.db")), "precious");
    const auto result = build(jsonSource({jsonCategory()}, {jsonQuestion(1)}));
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(readFile(path(QStringLiteral("out.db"))), QByteArray("precious"));
    EXPECT_EQ(folderEntries(QFileInfo(path(QStringLiteral("out.db"))).path()),
              (QStringList{QStringLiteral("bank.json"), QStringLiteral("out.db")}));
}

TEST_F(BuildCommandTest, replacesAnExistingBankWithForce)
{
    writeFile(path(QStringLiteral("out.db")), "old");
    const auto result = build(jsonSource({jsonCategory()}, {jsonQuestion(1)}), true);
    ASSERT_EQ(result.exitCode, 0) << result.text().toStdString();
    EXPECT_EQ(tableRows(path(QStringLiteral("out.db")), QStringLiteral("Subjects")).size(), 1);
    EXPECT_EQ(folderEntries(QFileInfo(path(QStringLiteral("out.db"))).path()),
              (QStringList{QStringLiteral("bank.json"), QStringLiteral("out.db")}));
}

TEST_F(BuildCommandTest, aFailedForcedBuildKeepsTheExistingBank)
{
    writeFile(path(QStringLiteral("out.db")), "old");
    const auto result = build(jsonSource({jsonCategory()}, {jsonQuestion(1, R"(, "answer2": 1)")}), true);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(readFile(path(QStringLiteral("out.db"))), QByteArray("old"));
    EXPECT_EQ(folderEntries(QFileInfo(path(QStringLiteral("out.db"))).path()),
              (QStringList{QStringLiteral("bank.json"), QStringLiteral("out.db")}));
}

TEST_F(BuildCommandTest, refusesASourceOfAnotherKind)
{
    writeFile(path(QStringLiteral("bank.docx")), "PK");
    const CommandOutcome result = outcomeOf(
        [&] { return BuildCommand::run({path(QStringLiteral("bank.docx")), {}, path(QStringLiteral("out.db"))}); });
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("out.db"))));
}
