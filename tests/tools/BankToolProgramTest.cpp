// Runs the quenhar-bank program itself, for what only the program does: its
// command line, its exit codes and where its output goes.

#include "support/TestBank.h"
#include "ToolFixtures.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString category = R"({"no": 101, "title": "驾驶证"})";

QString question(int no, const QString& answer = QStringLiteral("对"))
{
    return QStringLiteral(R"({"no": %1, "category": 101, "type": "judge", "text": "题", "answer": "%2", )"
                          R"("mustAnswer": false})")
        .arg(no)
        .arg(answer);
}

} // namespace

TEST(BankToolProgram, buildsAndChecksAWorkingBank)
{
    QTemporaryDir dir;
    QStringList questions;
    for (int no = 1; no <= 101; ++no)
        questions.append(question(no));
    writeFile(QDir(dir.path()).filePath(QStringLiteral("bank.json")), jsonSource({category}, questions));
    const QString bank = QDir(dir.path()).filePath(QStringLiteral("velmora.db"));

    const ProgramRun build = runQuenharBank({QStringLiteral("build"), QDir(dir.path()).filePath(QStringLiteral("bank.json")), bank});
    EXPECT_EQ(build.exitCode, 0) << build.err.toStdString();

    const ProgramRun check = runQuenharBank({QStringLiteral("check"), bank});
    EXPECT_EQ(check.exitCode, 0) << check.out.toStdString();
    EXPECT_TRUE(check.out.contains(QStringLiteral("Result: the program can use this bank.")));

    const ProgramRun stats = runQuenharBank({QStringLiteral("stats"), bank});
    EXPECT_EQ(stats.exitCode, 0);
    EXPECT_TRUE(stats.out.contains(QStringLiteral("101  101 驾驶证"))) << stats.out.toStdString();
}

TEST(BankToolProgram, aBadSourceExitsOneListsEveryBadRowAndWritesNothing)
{
    QTemporaryDir dir;
    writeFile(QDir(dir.path()).filePath(QStringLiteral("bank.json")),
              jsonSource({category}, {question(1, QStringLiteral("C")), question(2), question(3, QStringLiteral("X"))}));
    const QString bank = QDir(dir.path()).filePath(QStringLiteral("velmora.db"));
    const ProgramRun build = runQuenharBank({QStringLiteral("build"), QDir(dir.path()).filePath(QStringLiteral("bank.json")), bank});
    EXPECT_EQ(build.exitCode, 1);
    EXPECT_TRUE(build.err.contains(QStringLiteral("bank.json:8: \"answer\""))) << build.err.toStdString();
    EXPECT_TRUE(build.err.contains(QStringLiteral("bank.json:10: \"answer\""))) << build.err.toStdString();
    EXPECT_TRUE(build.out.isEmpty());
    EXPECT_EQ(folderEntries(dir.path()), QStringList{QStringLiteral("bank.json")});
}

TEST(BankToolProgram, checkExitsOneOnABankTheProgramFailsOn)
{
    TestBank bank;
    bank.addClass(101, QStringLiteral("驾驶证"));
    bank.addSubjects(1, 5, 101);
    bank.exec(QStringLiteral("drop table ziliao"));
    const ProgramRun check = runQuenharBank({QStringLiteral("check"), bank.path()});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_TRUE(check.out.contains(QStringLiteral("table ziliao is missing")));
    EXPECT_TRUE(check.out.contains(QStringLiteral("Result: the program will fail on this bank.")));
}

// A bank that can be practised but has too few questions for a mock exam is
// no failure: exit 0, with the warning first.
TEST(BankToolProgram, checkExitsZeroWithAWarningOnABankWithoutAMockExam)
{
    TestBank bank;
    bank.addClass(101, QStringLiteral("驾驶证"));
    bank.addSubjects(1, 5, 101);
    const ProgramRun check = runQuenharBank({QStringLiteral("check"), bank.path()});
    EXPECT_EQ(check.exitCode, 0);
    EXPECT_TRUE(check.out.contains(QStringLiteral("*** This bank has no mock exam")));
    EXPECT_TRUE(check.out.contains(QStringLiteral("no mock exam can run")));
}

TEST(BankToolProgram, usageErrorsExitTwo)
{
    EXPECT_EQ(runQuenharBank({}).exitCode, 2);
    EXPECT_EQ(runQuenharBank({QStringLiteral("frobnicate")}).exitCode, 2);
    EXPECT_EQ(runQuenharBank({QStringLiteral("check")}).exitCode, 2);
    EXPECT_EQ(runQuenharBank({QStringLiteral("build"), QStringLiteral("a.json")}).exitCode, 2);
    EXPECT_EQ(runQuenharBank({QStringLiteral("stats"), QStringLiteral("a.db"), QStringLiteral("--bogus")}).exitCode, 2);
}

TEST(BankToolProgram, buildRefusesToReplaceABankWithoutForce)
{
    QTemporaryDir dir;
    writeFile(QDir(dir.path()).filePath(QStringLiteral("bank.json")), jsonSource({category}, {question(1)}));
    const QString bank = QDir(dir.path()).filePath(QStringLiteral("velmora.db"));
    writeFile(bank, "existing");
    const QString source = QDir(dir.path()).filePath(QStringLiteral("bank.json"));

    EXPECT_EQ(runQuenharBank({QStringLiteral("build"), source, bank}).exitCode, 2);
    EXPECT_EQ(readFile(bank), QByteArray("existing"));
    EXPECT_EQ(runQuenharBank({QStringLiteral("build"), QStringLiteral("--force"), source, bank}).exitCode, 0);
    EXPECT_EQ(tableRows(bank, QStringLiteral("Subjects")).size(), 1);
}

TEST(BankToolProgram, exportWritesTheJsonAndPictures)
{
    TestBank bank;
    bank.addClass(101, QStringLiteral("驾驶证"));
    bank.addSubject({7, QStringLiteral("有图"), 0, 0, 0, 101, makeBitmap(2, 2)});
    QTemporaryDir out;
    const ProgramRun exported = runQuenharBank({QStringLiteral("export"), bank.path(), out.path()});
    EXPECT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_EQ(readFile(QDir(out.path()).filePath(QStringLiteral("pictures/7.bmp"))), makeBitmap(2, 2));
    EXPECT_TRUE(readFile(QDir(out.path()).filePath(QStringLiteral("bank.json"))).contains("\"picture\": \"pictures/7.bmp\""));
    EXPECT_EQ(runQuenharBank({QStringLiteral("export"), bank.path(), out.path()}).exitCode, 2); // bank.json exists
}
