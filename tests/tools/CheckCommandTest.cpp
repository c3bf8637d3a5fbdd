#include "tools/commands/CheckCommand.h"

#include "support/TestBank.h"
#include "ToolFixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Kind = CheckFinding::Kind;

// A bank the program works on: a chapter heading, a category, a reference
// text, and by default enough questions of both kinds for the full mock
// exam (ordinary ones numbered from 1, must-answer ones from 1001).
void fillWorkingBank(TestBank& bank, int ordinary = 101, int mustAnswer = 16)
{
    bank.addClass(100, QStringLiteral("道路交通安全法律、法规和规章"));
    bank.addClass(101, QStringLiteral("驾驶证"));
    bank.addSubjects(1, ordinary, 101);
    bank.addSubjects(1001, mustAnswer, 101, 1);
    bank.addMaterial(QStringLiteral("记分"), QStringLiteral("说明"));
}

// Replaces Subjects with a table whose columns have no declared types, as
// banks made by other tools may: values then keep whatever kind they had.
void makeSubjectsUntyped(TestBank& bank)
{
    bank.exec(QStringLiteral("drop table Subjects"));
    bank.exec(QStringLiteral("create table Subjects([no], subject, result, classNo, passOnly, fatherNo, bmp)"));
}

// The kinds of fault and warning a report holds, without its notes. The
// fixtures' questions are single-choice texts without option lines; that
// warning has a test of its own.
QList<Kind> problemKinds(const CheckReport& report)
{
    QList<Kind> kinds;
    for (const CheckFinding& finding : report.findings())
        if (finding.severity != CheckFinding::Severity::Note && finding.kind != Kind::NoOptionLines
            && !kinds.contains(finding.kind))
            kinds.append(finding.kind);
    return kinds;
}

} // namespace

// The mock exam follows from the sizes of the two pools: 8 must-answer
// questions first when there are more than 15, none of them otherwise, and
// no exam (a warning: practice works) with 100 ordinary questions or fewer.
TEST(CheckCommand, plansTheMockExamFromTheSizesOfItsPools)
{
    const struct
    {
        const char* name;
        int ordinary;
        int mustAnswer;
        QList<Kind> problems;
        int examPlans;
        QStringList lines;      // whole lines of the report
        QString contained;      // in the report
    } cases[] = {
        {"16 must-answer questions", 101, 16, {}, 1, {},
         QStringLiteral("first 8 drawn at random from the 16 must-answer questions, then 92 drawn at random from the "
                        "101 ordinary questions")},
        {"15 must-answer questions", 101, 15, {}, 1, {},
         QStringLiteral("100 questions drawn at random from the 101 ordinary questions; the 15 must-answer questions "
                        "are left out")},
        {"100 ordinary questions", 100, 30, {Kind::NoExam}, 0,
         {QStringLiteral("*** This bank has no mock exam: see the warning below. ***"),
          QStringLiteral("Result: the program can use this bank for practice, but it has no mock exam.")},
         QStringLiteral("no mock exam can run")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestBank bank;
        fillWorkingBank(bank, c.ordinary, c.mustAnswer);
        const CheckReport report = CheckCommand::check(bank.path());
        const QString text = report.toText(bank.path());
        EXPECT_TRUE(report.programWorks()) << text.toStdString();
        EXPECT_EQ(problemKinds(report), c.problems) << text.toStdString();
        EXPECT_EQ(report.count(Kind::ExamPlan), c.examPlans);
        EXPECT_TRUE(text.contains(c.contained)) << text.toStdString();
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (const QString& line : c.lines)
            EXPECT_TRUE(lines.contains(line)) << text.toStdString();
        // A bank without an exam says so first, under the title.
        if (c.problems.contains(Kind::NoExam))
            EXPECT_EQ(lines.value(1), c.lines.value(0));
    }
}

// One change to a working bank, and what the check makes of it: whether the
// program still works, the one kind of problem found (how many of it, when
// that matters) and what the report says.
TEST(CheckCommand, reportsEachKindOfProblemInAWorkingBank)
{
    const auto sql = [](const QStringList& statements) {
        return [statements](TestBank& bank) {
            for (const QString& statement : statements)
                bank.exec(statement);
        };
    };
    const struct
    {
        const char* name;
        std::function<void(TestBank&)> change;
        bool programWorks;
        Kind kind;
        int count; // of `kind`; 0: not counted
        QStringList reported;
        bool untypedSubjects = false; // Subjects made without column types before the bank is filled
    } cases[] = {
        {"a missing table", sql({QStringLiteral("drop table ziliao")}), false, Kind::MissingTable, 0,
         {QStringLiteral("table ziliao is missing")}},
        {"a missing column", sql({QStringLiteral("alter table classes drop column remark")}), false, Kind::MissingColumn, 0,
         {QStringLiteral("table classes has no column remark")}},
        {"text it cannot read in a number field", sql({QStringLiteral("update Subjects set result = 'B' where [no] = 5")}), false,
         Kind::UnreadableValue, 0, {QStringLiteral("question 5: result is 'B'")}},
        {"numbers stored as text or real",
         sql({QStringLiteral("update Subjects set result = cast('1' as blob) where [no] = 5"),
              QStringLiteral("update Subjects set classNo = 0.6 where [no] = 6")}),
         true, Kind::WrongKind, 2, {QStringLiteral("question 6: classNo is 0.6 (real), read as 1")}},
        {"bytes in a text field", sql({QStringLiteral("update Subjects set subject = x'e9a298' where [no] = 7")}), true, Kind::WrongKind,
         0, {QStringLiteral("question 7: subject is 3 bytes (bytes), not text")}},
        {"answer codes outside 0 to 2",
         sql({QStringLiteral("update Subjects set result = 3 where [no] = 8"), QStringLiteral("update Subjects set result = -1 where [no] = 9")}), true,
         Kind::AnswerOutOfRange, 2, {}},
        {"a true/false question answered C (a single-choice one is fine)",
         sql({QStringLiteral("update Subjects set classNo = 1, result = 2 where [no] = 10"),
              QStringLiteral("update Subjects set classNo = 0, result = 2 where [no] = 11")}),
         true, Kind::JudgeAnswerC, 1, {QStringLiteral("question 10: a true/false question")}},
        {"questions in a heading or a missing category",
         sql({QStringLiteral("update Subjects set fatherNo = 100 where [no] = 12"), QStringLiteral("update Subjects set fatherNo = 102 where [no] = 13")}),
         true, Kind::CategoryNotOffered, 0,
         {QStringLiteral("question 12: category 100 is a chapter heading"),
          QStringLiteral("question 13: category 102 is not in the category list")}},
        {"a category number that is not an integer stops the list",
         [](TestBank& bank) {
             bank.addClass(102, QStringLiteral("记分"));
             bank.exec(QStringLiteral("insert into classes([no], remark) values ('abc', 'x'), ('一〇三', 'y')"));
             bank.exec(QStringLiteral("update Subjects set fatherNo = 102 where [no] = 14"));
         },
         false, Kind::CategoryNotInteger, 0,
         {QStringLiteral("category number 'abc' is not an integer: the program stops the category list there, so 2 "
                         "of the 5 categories are not shown")}},
        {"a duplicate question number (in a table without types)",
         [](TestBank& bank) { bank.addSubjects(1, 1, 101); }, true, Kind::DuplicateQuestionNumber, 0,
         {QStringLiteral("question number 1 is used by 2 questions")}, true},
        {"a picture that will not decode (an empty one is none; a good one decodes)",
         [](TestBank& bank) {
             bank.exec(QStringLiteral("update Subjects set bmp = x'424d0000' where [no] = 15"));
             bank.exec(QStringLiteral("update Subjects set bmp = x'' where [no] = 16"));
             bank.addSubject({2000, QStringLiteral("有图"), 0, 0, 0, 101, withPictureHeader(makeBitmap(2, 2))});
         },
         false, Kind::UndecodablePicture, 1, {QStringLiteral("question 15: the picture (4 bytes) will not show")}},
        {"questions outside both exam pools", [](TestBank& bank) { bank.addSubjects(3000, 2, 101, 2); }, true,
         Kind::NotInExamPool, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestBank bank;
        if (c.untypedSubjects)
            makeSubjectsUntyped(bank);
        fillWorkingBank(bank);
        c.change(bank);
        const CheckReport report = CheckCommand::check(bank.path());
        const QString text = report.toText(bank.path());
        EXPECT_EQ(report.programWorks(), c.programWorks) << text.toStdString();
        EXPECT_EQ(problemKinds(report), QList<Kind>{c.kind}) << text.toStdString();
        if (c.count > 0)
            EXPECT_EQ(report.count(c.kind), c.count);
        for (const QString& reported : c.reported)
            EXPECT_TRUE(text.contains(reported)) << text.toStdString();
    }
}

// The program reads a category number's stored text: null reads as "" and a
// real as its digits with a point, neither of them a number, so the list
// stops there; a text heading ("x00") is passed over unread.
TEST(CheckCommand, stopsTheCategoryListWhereTheProgramsListStops)
{
    const struct
    {
        const char* stored;
        const char* shown; // empty: the list does not stop
    } cases[] = {
        {"null", "null"},
        {"101.5", "101.5"},
        {"'x00'", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        TestBank bank;
        fillWorkingBank(bank);
        bank.exec(QStringLiteral("insert into classes([no], remark) values (%1, 'x'), (105, 'y')")
                      .arg(QString::fromLatin1(c.stored)));
        const CheckReport report = CheckCommand::check(bank.path());
        const QString shown = QString::fromLatin1(c.shown);
        EXPECT_EQ(report.count(Kind::CategoryNotInteger), shown.isEmpty() ? 0 : 1)
            << report.toText(bank.path()).toStdString();
        if (!shown.isEmpty())
            EXPECT_TRUE(report.toText(bank.path())
                            .contains(QStringLiteral("category number %1 is not an integer").arg(shown)))
                << report.toText(bank.path()).toStdString();
    }
}

TEST(CheckCommand, tellsAHeadingByTheNumbersStoredTextAsTheProgramDoes)
{
    TestBank bank;
    bank.exec(QStringLiteral("drop table classes"));
    bank.exec(QStringLiteral("create table classes([no], remark)"));
    fillWorkingBank(bank);
    // Stored as the text "0100", its 2nd and 3rd characters are "10": the
    // program offers it, as category 100, whose questions it then finds.
    bank.exec(QStringLiteral("delete from classes where [no] = 100"));
    bank.exec(QStringLiteral("insert into classes([no], remark) values ('0100', '记分')"));
    bank.exec(QStringLiteral("update Subjects set fatherNo = 100 where [no] = 14"));
    const CheckReport report = CheckCommand::check(bank.path());
    EXPECT_EQ(problemKinds(report), QList<Kind>{Kind::WrongKind}) << report.toText(bank.path()).toStdString();
    EXPECT_EQ(report.count(Kind::CategoryNotOffered), 0);
}

TEST(CheckCommand, neverCreatesOrChangesTheFile)
{
    TestBank bank;
    fillWorkingBank(bank);
    const QByteArray before = readFile(bank.path());
    const QStringList entries = folderEntries(bank.dir());
    CheckCommand::check(bank.path());
    EXPECT_EQ(readFile(bank.path()), before);
    EXPECT_EQ(folderEntries(bank.dir()), entries);

    const QString missing = QDir(bank.dir()).filePath(QStringLiteral("missing.db"));
    const CheckReport report = CheckCommand::check(missing);
    EXPECT_EQ(problemKinds(report), QList<Kind>{Kind::CannotOpen});
    EXPECT_FALSE(QFileInfo::exists(missing));
}

// A single-choice question whose text holds no option lines shows three
// answer buttons and nothing to choose between; one that holds them, in
// the bank's layout or as teachers type them, is fine.
TEST(CheckCommand, warnsAboutSingleChoiceQuestionsWithoutOptionLines)
{
    TestBank bank;
    fillWorkingBank(bank);
    bank.exec(QStringLiteral("update Subjects set subject = subject || char(10) || 'A、一' || char(10) || 'B、二' "
                             "|| char(10) || 'C、三' where [no] > 2"));
    bank.exec(QStringLiteral("update Subjects set subject = '题' || char(10) || 'A. 一' || char(10) || 'B．二' "
                             "|| char(10) || '(C) 三' where [no] = 2"));
    bank.exec(QStringLiteral("insert into Subjects([no], subject, result, classNo, passOnly, fatherNo) "
                             "values (5000, '判断题', 0, 1, 0, 101)"));
    const CheckReport report = CheckCommand::check(bank.path());
    EXPECT_TRUE(report.programWorks());
    EXPECT_EQ(report.count(Kind::NoOptionLines), 1) << report.toText(bank.path()).toStdString();
    EXPECT_TRUE(report.toText(bank.path()).contains(QStringLiteral("question 1: a single-choice question without option lines")))
        << report.toText(bank.path()).toStdString();
}
