#include "tools/commands/BuildCommand.h"

#include "layout/FormLayout.h"

#include "support/TestBank.h"
#include "ToolFixtures.h"

#include <QDir>
#include <QImage>
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

// An existing bank is replaced only with --force, and then only by a whole
// bank; no temporary file is left beside it either way.
TEST_F(BuildCommandTest, replacesAnExistingBankOnlyWithForceAndOnlyByAWholeOne)
{
    const struct
    {
        const char* name;
        bool force;
        QString questionExtra; // "answer2" is no member of the format: the source has an error
        int exitCode;
    } cases[] = {
        {"without --force", false, {}, 2},
        {"with --force", true, {}, 0},
        {"with --force, from a source with an error", true, QStringLiteral(R"(, "answer2": 1)"), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(path(QStringLiteral("out.db")), "old");
        const auto result = build(jsonSource({jsonCategory()}, {jsonQuestion(1, c.questionExtra)}), c.force);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.text().toStdString();
        if (c.exitCode == 0)
            EXPECT_EQ(tableRows(path(QStringLiteral("out.db")), QStringLiteral("Subjects")).size(), 1);
        else
            EXPECT_EQ(readFile(path(QStringLiteral("out.db"))), QByteArray("old"));
        EXPECT_EQ(folderEntries(QFileInfo(path(QStringLiteral("out.db"))).path()),
                  (QStringList{QStringLiteral("bank.json"), QStringLiteral("out.db")}));
    }
}

// A source is told by its content: a file that is no sheet is refused for
// what it holds, whatever its name.
TEST_F(BuildCommandTest, refusesASourceOfAnotherKind)
{
    writeFile(path(QStringLiteral("bank.docx")), QByteArray("PK\x03\x04", 4) + QByteArray(60, '\0'));
    const CommandOutcome result = outcomeOf(
        [&] { return BuildCommand::run({path(QStringLiteral("bank.docx")), {}, path(QStringLiteral("out.db"))}); });
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.messages.filter(QStringLiteral("error: ")).size(), 1) << result.text().toStdString();
    EXPECT_TRUE(result.text().contains(QStringLiteral("not a zip archive"))) << result.text().toStdString();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("out.db"))));
}

// A build that stops after reading its source (here: the output's folder
// does not exist) still shows what it said about the source, then why it
// stopped.
TEST_F(BuildCommandTest, aBankThatCannotBeWrittenKeepsTheSourcesWarnings)
{
    writeFile(path(QStringLiteral("bank.json")), jsonSource({R"({"no": 100, "title": "章"})"}, {jsonQuestion(1)}));
    const CommandOutcome result = outcomeOf([&] {
        return BuildCommand::run({path(QStringLiteral("bank.json")), {}, path(QStringLiteral("missing/out.db"))});
    });
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.exitCode, 1);
    // The warning, the report's summary, then the reason.
    ASSERT_EQ(result.messages.size(), 3) << result.text().toStdString();
    EXPECT_TRUE(result.messages[0].startsWith(QStringLiteral("warning: "))) << result.text().toStdString();
    EXPECT_TRUE(result.messages[0].contains(QStringLiteral("category 101 is not listed"))) << result.text().toStdString();
    EXPECT_EQ(result.messages[1], QStringLiteral("0 error(s), 1 warning(s)")) << result.text().toStdString();
    EXPECT_TRUE(result.messages[2].contains(QStringLiteral("cannot write in this folder"))) << result.text().toStdString();
    EXPECT_EQ(folderEntries(QFileInfo(path(QStringLiteral("bank.json"))).path()), QStringList{QStringLiteral("bank.json")});
}

// What a learner would miss is said while building, and the bank is still
// written: a bank too small for the mock exam, a photo kept as a bitmap
// many times its file's size and larger than the picture area, a question
// taller than the practice text box. The sizes are the trainer's.
TEST_F(BuildCommandTest, warnsAboutWhatALearnerWouldNotSee)
{
    QImage photo(400, 400, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x * 255 / 400, y * 255 / 400, (x + y) * 255 / 800));
    writeFile(path(QStringLiteral("photo.jpg")), encoded(photo, "JPG"));
    QString longText = QStringLiteral("题");
    for (int line = 0; line < 40; ++line)
        longText += QStringLiteral("\\n第%1行").arg(line);
    const auto result = build(jsonSource(
        {jsonCategory()},
        {jsonQuestion(1, R"(, "picture": "photo.jpg")"),
         QStringLiteral(R"({"no": 2, "category": 101, "type": "judge", "text": "%1", "answer": "对", "mustAnswer": false})")
             .arg(longText)}));
    ASSERT_EQ(result.exitCode, 0) << result.text().toStdString();
    const QStringList warnings = result.messages.filter(QStringLiteral("warning: "));
    ASSERT_EQ(warnings.size(), 4) << result.text().toStdString();
    EXPECT_EQ(warnings.filter(QStringLiteral("no mock exam can run on this bank: it has 2 ordinary questions")).size(), 1)
        << result.text().toStdString();
    const QSize area = FormLayout::pictureArea(0);
    EXPECT_EQ(warnings.filter(QStringLiteral("is 400×400 pixels, larger than the picture area (%1×%2)")
                                  .arg(area.width())
                                  .arg(area.height()))
                  .size(),
              1)
        << result.text().toStdString();
    EXPECT_EQ(warnings.filter(QStringLiteral("is stored as a bitmap of 468.8 KB, 71 times its file")).size(), 1)
        << result.text().toStdString();
    EXPECT_EQ(warnings.filter(QStringLiteral(":9: \"题⏎第0行")).size(), 1) << result.text().toStdString();
}
