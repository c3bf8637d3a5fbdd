// Runs the quenhar-bank program itself, for what only the program does: its
// command line, its exit codes and where its output goes.

#include "support/TestBank.h"
#include "ToolFixtures.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(BankToolProgram, buildsAndChecksAWorkingBank)
{
    QTemporaryDir dir;
    QStringList questions;
    for (int no = 1; no <= 101; ++no)
        questions.append(jsonQuestion(no));
    writeFile(pathIn(dir, QStringLiteral("bank.json")), jsonSource({jsonCategory()}, questions));
    const QString bank = pathIn(dir, QStringLiteral("velmora.db"));

    const ProgramRun build = runQuenharBank({QStringLiteral("build"), pathIn(dir, QStringLiteral("bank.json")), bank});
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
    writeFile(pathIn(dir, QStringLiteral("bank.json")),
              jsonSource({jsonCategory()}, {jsonQuestion(1, {}, QStringLiteral("C")), jsonQuestion(2), jsonQuestion(3, {}, QStringLiteral("X"))}));
    const QString bank = pathIn(dir, QStringLiteral("velmora.db"));
    const ProgramRun build = runQuenharBank({QStringLiteral("build"), pathIn(dir, QStringLiteral("bank.json")), bank});
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
    writeFile(pathIn(dir, QStringLiteral("bank.json")), jsonSource({jsonCategory()}, {jsonQuestion(1)}));
    const QString bank = pathIn(dir, QStringLiteral("velmora.db"));
    writeFile(bank, "existing");
    const QString source = pathIn(dir, QStringLiteral("bank.json"));

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
    EXPECT_EQ(readFile(pathIn(out, QStringLiteral("pictures/7.bmp"))), makeBitmap(2, 2));
    EXPECT_TRUE(readFile(pathIn(out, QStringLiteral("bank.json"))).contains("\"picture\": \"pictures/7.bmp\""));
    EXPECT_EQ(runQuenharBank({QStringLiteral("export"), bank.path(), out.path()}).exitCode, 2); // bank.json exists
}

// Every command explains itself with --help, on stdout, exit 0.
TEST(BankToolProgram, everyCommandAnswersHelp)
{
    for (const QString& command : {QStringLiteral("build"), QStringLiteral("import"), QStringLiteral("export"),
                                   QStringLiteral("check"), QStringLiteral("stats")}) {
        const ProgramRun help = runQuenharBank({command, QStringLiteral("--help")});
        EXPECT_EQ(help.exitCode, 0) << command.toStdString() << help.err.toStdString();
        EXPECT_TRUE(help.out.contains(QStringLiteral("[options] ") + command)) << help.out.toStdString();
        EXPECT_FALSE(help.err.contains(QStringLiteral("Unknown option"))) << help.err.toStdString();
    }
    EXPECT_TRUE(runQuenharBank({QStringLiteral("export"), QStringLiteral("--help")}).out.contains(QStringLiteral("--format")));
}

// A teacher with a Chinese desktop reads the tool in Chinese; anyone else
// in English.
TEST(BankToolProgram, messagesFollowTheLocale)
{
    QTemporaryDir dir;
    const QString source = pathIn(dir, QStringLiteral("bank.csv"));
    writeFile(source, "题号,题型,题干,答案,章节\n1,判断,q,对,101\nx,判断,q,对,101\n");
    const QString bank = pathIn(dir, QStringLiteral("velmora.db"));
    const struct
    {
        const char* locale;
        QString error;
        QString usage;
    } cases[] = {
        {"zh_CN.UTF-8", QStringLiteral("错误：%1：第 3 行，A 列（题号）：“x”：不是整数；请填写一个整数，例如 12").arg(source),
         QStringLiteral("用法：quenhar-bank check DB")},
        {"C", QStringLiteral("error: %1: row 3, column A (题号): \"x\": not a whole number; write a whole number, such as 12")
                  .arg(source),
         QStringLiteral("usage: quenhar-bank check DB")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        const ProgramRun build = runQuenharBank({QStringLiteral("build"), source, bank}, QString::fromLatin1(c.locale));
        EXPECT_EQ(build.exitCode, 1);
        EXPECT_TRUE(build.err.contains(c.error)) << build.err.toStdString();
        const ProgramRun usage = runQuenharBank({QStringLiteral("check")}, QString::fromLatin1(c.locale));
        EXPECT_EQ(usage.exitCode, 2);
        EXPECT_TRUE(usage.err.startsWith(c.usage)) << usage.err.toStdString();
    }
}

// export --format writes each format, and build reads each back.
TEST(BankToolProgram, exportsAndBuildsBackEachFormat)
{
    TestBank bank;
    bank.addClass(101, QStringLiteral("驾驶证"));
    bank.addSubject({7, QStringLiteral("有图\nA、一\nB、二\nC、三"), 2, 0, 1, 101, makeBitmap(2, 2)});
    bank.addMaterial(QStringLiteral("标题"), QStringLiteral("正文"));
    QTemporaryDir out;
    const struct
    {
        const char* format;
        QStringList build;
    } cases[] = {
        {"json", {QStringLiteral("bank.json")}},
        {"csv", {QStringLiteral("--categories"), QStringLiteral("categories.csv"), QStringLiteral("--materials"),
                 QStringLiteral("materials.csv"), QStringLiteral("bank.csv")}},
        {"xlsx", {QStringLiteral("bank.xlsx")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        const QString folder = pathIn(out, QString::fromLatin1(c.format));
        const ProgramRun exported = runQuenharBank(
            {QStringLiteral("export"), QStringLiteral("--format"), QString::fromLatin1(c.format), bank.path(), folder});
        ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
        QStringList arguments{QStringLiteral("build")};
        for (const QString& argument : c.build)
            arguments.append(argument.startsWith(QLatin1String("--")) ? argument : QDir(folder).filePath(argument));
        arguments.append(QDir(folder).filePath(QStringLiteral("rebuilt.db")));
        const ProgramRun built = runQuenharBank(arguments);
        ASSERT_EQ(built.exitCode, 0) << built.err.toStdString();
        for (const QString& table : {QStringLiteral("classes"), QStringLiteral("Subjects"), QStringLiteral("ziliao")})
            EXPECT_EQ(tableRows(QDir(folder).filePath(QStringLiteral("rebuilt.db")), table), tableRows(bank.path(), table));
    }
    EXPECT_EQ(runQuenharBank({QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("docx"), bank.path(),
                              out.path()})
                  .exitCode,
              2);
}
