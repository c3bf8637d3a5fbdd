#include "tools/commands/BankChecker.h"

#include "support/TestBank.h"
#include "ToolFixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Kind = CheckFinding::Kind;

// A bank the program works on: two categories and enough questions of both
// kinds for the full mock exam.
void fillWorkingBank(TestBank& bank)
{
    bank.addClass(100, QStringLiteral("道路交通安全法律、法规和规章"));
    bank.addClass(101, QStringLiteral("驾驶证"));
    bank.addSubjects(1, 101, 101);
    bank.addSubjects(1001, 16, 101, 1);
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

TEST(BankChecker, aCompleteBankWorksAndDrawsEightMustAnswerQuestionsFirst)
{
    TestBank bank;
    fillWorkingBank(bank);
    const CheckReport report = BankChecker::check(bank.path());
    EXPECT_TRUE(report.programWorks()) << report.toText(bank.path()).toStdString();
    EXPECT_TRUE(problemKinds(report).isEmpty()) << report.toText(bank.path()).toStdString();
    ASSERT_EQ(report.count(Kind::ExamPlan), 1);
    const QString plan = report.toText(bank.path());
    EXPECT_TRUE(plan.contains(QStringLiteral("first 8 drawn at random from the 16 must-answer questions, then 92 "
                                             "drawn at random from the 101 ordinary questions")))
        << plan.toStdString();
}

TEST(BankChecker, withFifteenMustAnswerQuestionsTheExamIsAllOrdinary)
{
    TestBank bank;
    bank.addClass(101, QStringLiteral("驾驶证"));
    bank.addSubjects(1, 101, 101);
    bank.addSubjects(1001, 15, 101, 1);
    const CheckReport report = BankChecker::check(bank.path());
    EXPECT_TRUE(report.programWorks());
    EXPECT_TRUE(report.toText(bank.path())
                    .contains(QStringLiteral("100 questions drawn at random from the 101 ordinary questions; the 15 "
                                             "must-answer questions are left out")));
}

TEST(BankChecker, withAHundredOrdinaryQuestionsNoExamCanRun)
{
    TestBank bank;
    bank.addClass(101, QStringLiteral("驾驶证"));
    bank.addSubjects(1, 100, 101);
    bank.addSubjects(1001, 30, 101, 1);
    const CheckReport report = BankChecker::check(bank.path());
    // Practice works on such a bank: a warning, first in the report, not a fault.
    EXPECT_TRUE(report.programWorks());
    EXPECT_EQ(problemKinds(report), QList<Kind>{Kind::NoExam});
    const QStringList lines = report.toText(bank.path()).split(QLatin1Char('\n'));
    EXPECT_EQ(lines.value(1), QStringLiteral("*** This bank has no mock exam: see the warning below. ***"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Result: the program can use this bank for practice, but it has no "
                                              "mock exam.")));
}

TEST(BankChecker, reportsAMissingTable)
{
    TestBank bank;
    fillWorkingBank(bank);
    bank.exec(QStringLiteral("drop table ziliao"));
    const CheckReport report = BankChecker::check(bank.path());
    EXPECT_FALSE(report.programWorks());
    EXPECT_EQ(problemKinds(report), QList<Kind>{Kind::MissingTable});
    EXPECT_TRUE(report.toText(bank.path()).contains(QStringLiteral("table ziliao is missing")));
}

TEST(BankChecker, reportsAMissingColumn)
{
    TestBank bank;
    fillWorkingBank(bank);
    bank.exec(QStringLiteral("alter table classes drop column remark"));
    const CheckReport report = BankChecker::check(bank.path());
    EXPECT_FALSE(report.programWorks());
    EXPECT_EQ(problemKinds(report), QList<Kind>{Kind::MissingColumn});
    EXPECT_TRUE(report.toText(bank.path()).contains(QStringLiteral("table classes has no column remark")));
}

TEST(BankChecker, textItCannotReadInANumberFieldIsAFault)
{
    TestBank bank;
    fillWorkingBank(bank);
    bank.exec(QStringLiteral("update Subjects set result = 'B' where [no] = 5"));
    const CheckReport report = BankChecker::check(bank.path());
    EXPECT_FALSE(report.programWorks());
    EXPECT_EQ(problemKinds(report), QList<Kind>{Kind::UnreadableValue});
    EXPECT_TRUE(report.toText(bank.path()).contains(QStringLiteral("question 5: result is 'B'")));
}

TEST(BankChecker, numbersStoredAsTextOrRealAreWarnings)
{
    TestBank bank;
    fillWorkingBank(bank);
    bank.exec(QStringLiteral("update Subjects set result = cast('1' as blob) where [no] = 5"));
    bank.exec(QStringLiteral("update Subjects set classNo = 0.6 where [no] = 6"));
    const CheckReport report = BankChecker::check(bank.path());
    EXPECT_TRUE(report.programWorks());
    EXPECT_EQ(problemKinds(report), QList<Kind>{Kind::WrongKind});
    EXPECT_EQ(report.count(Kind::WrongKind), 2);
    EXPECT_TRUE(report.toText(bank.path()).contains(QStringLiteral("question 6: classNo is 0.6 (real), read as 1")));
}

TEST(BankChecker, nonTextInATextFieldIsAWarning)
{
    TestBank bank;
    fillWorkingBank(bank);
    bank.exec(QStringLiteral("update Subjects set subject = x'e9a298' where [no] = 7"));
    const CheckReport report = BankChecker::check(bank.path());
    EXPECT_TRUE(report.programWorks());
    EXPECT_EQ(problemKinds(report), QList<Kind>{Kind::WrongKind});
    EXPECT_TRUE(report.toText(bank.path()).contains(QStringLiteral("question 7: subject is 3 bytes (bytes), not text")));
}

TEST(BankChecker, reportsAnswerCodesOutsideZeroToTwo)
{
    TestBank bank;
    fillWorkingBank(bank);
    bank.exec(QStringLiteral("update Subjects set result = 3 where [no] = 8"));
    bank.exec(QStringLiteral("update Subjects set result = -1 where [no] = 9"));
    const CheckReport report = BankChecker::check(bank.path());
    EXPECT_TRUE(report.programWorks());
    EXPECT_EQ(problemKinds(report), QList<Kind>{Kind::AnswerOutOfRange});
    EXPECT_EQ(report.count(Kind::AnswerOutOfRange), 2);
}

TEST(BankChecker, reportsTrueFalseQuestionsAnsweredC)
{
    TestBank bank;
    fillWorkingBank(bank);
    bank.exec(QStringLiteral("update Subjects set classNo = 1, result = 2 where [no] = 10"));
    bank.exec(QStringLiteral("update Subjects set classNo = 0, result = 2 where [no] = 11")); // fine: single choice
    const CheckReport report = BankChecker::check(bank.path());
    EXPECT_TRUE(report.programWorks());
    EXPECT_EQ(problemKinds(report), QList<Kind>{Kind::JudgeAnswerC});
    EXPECT_EQ(report.count(Kind::JudgeAnswerC), 1);
    EXPECT_TRUE(report.toText(bank.path()).contains(QStringLiteral("question 10: a true/false question")));
}

TEST(BankChecker, reportsQuestionsInAHeadingOrAMissingCategory)
{
    TestBank bank;
    fillWorkingBank(bank);
    bank.exec(QStringLiteral("update Subjects set fatherNo = 100 where [no] = 12"));
    bank.exec(QStringLiteral("update Subjects set fatherNo = 102 where [no] = 13"));
    const CheckReport report = BankChecker::check(bank.path());
    EXPECT_TRUE(report.programWorks());
    EXPECT_EQ(problemKinds(report), QList<Kind>{Kind::CategoryNotOffered});
    const QString text = report.toText(bank.path());
    EXPECT_TRUE(text.contains(QStringLiteral("question 12: category 100 is a chapter heading")));
    EXPECT_TRUE(text.contains(QStringLiteral("question 13: category 102 is not in the category list")));
}

TEST(BankChecker, aCategoryNumberThatIsNotAnIntegerStopsTheList)
{
    TestBank bank;
    fillWorkingBank(bank);
    bank.addClass(102, QStringLiteral("记分"));
    bank.exec(QStringLiteral("insert into classes([no], remark) values ('abc', 'x'), ('一〇三', 'y')"));
    bank.exec(QStringLiteral("update Subjects set fatherNo = 102 where [no] = 14"));
    const CheckReport report = BankChecker::check(bank.path());
    EXPECT_FALSE(report.programWorks());
    EXPECT_EQ(problemKinds(report), QList<Kind>{Kind::CategoryNotInteger});
    EXPECT_TRUE(report.toText(bank.path())
                    .contains(QStringLiteral("category number 'abc' is not an integer: the program stops the "
                                             "category list there, so 2 of the 5 categories are not shown")));
}

TEST(BankChecker, tellsAHeadingByTheNumbersStoredTextAsTheProgramDoes)
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
    const CheckReport report = BankChecker::check(bank.path());
    EXPECT_EQ(problemKinds(report), QList<Kind>{Kind::WrongKind}) << report.toText(bank.path()).toStdString();
    EXPECT_EQ(report.count(Kind::CategoryNotOffered), 0);
}

TEST(BankChecker, reportsDuplicateQuestionNumbers)
{
    TestBank bank;
    makeSubjectsUntyped(bank);
    fillWorkingBank(bank);
    bank.addSubjects(1, 1, 101);
    const CheckReport report = BankChecker::check(bank.path());
    EXPECT_TRUE(report.programWorks());
    EXPECT_EQ(problemKinds(report), QList<Kind>{Kind::DuplicateQuestionNumber});
    EXPECT_TRUE(report.toText(bank.path()).contains(QStringLiteral("question number 1 is used by 2 questions")));
}

TEST(BankChecker, aPictureThatWillNotDecodeIsAFault)
{
    TestBank bank;
    fillWorkingBank(bank);
    bank.exec(QStringLiteral("update Subjects set bmp = x'424d0000' where [no] = 15"));
    bank.exec(QStringLiteral("update Subjects set bmp = x'' where [no] = 16")); // empty: no picture
    const QByteArray good = makeBitmap(2, 2);
    bank.addSubject({2000, QStringLiteral("有图"), 0, 0, 0, 101, withPictureHeader(good)});
    const CheckReport report = BankChecker::check(bank.path());
    EXPECT_FALSE(report.programWorks());
    EXPECT_EQ(problemKinds(report), QList<Kind>{Kind::UndecodablePicture});
    EXPECT_EQ(report.count(Kind::UndecodablePicture), 1);
    EXPECT_TRUE(report.toText(bank.path()).contains(QStringLiteral("question 15: the picture (4 bytes) will not show")));
}

TEST(BankChecker, questionsOutsideBothExamPoolsAreAWarning)
{
    TestBank bank;
    fillWorkingBank(bank);
    bank.addSubjects(3000, 2, 101, 2);
    const CheckReport report = BankChecker::check(bank.path());
    EXPECT_TRUE(report.programWorks());
    EXPECT_EQ(problemKinds(report), QList<Kind>{Kind::NotInExamPool});
}

TEST(BankChecker, neverCreatesOrChangesTheFile)
{
    TestBank bank;
    fillWorkingBank(bank);
    const QByteArray before = readFile(bank.path());
    const QStringList entries = folderEntries(bank.dir());
    BankChecker::check(bank.path());
    EXPECT_EQ(readFile(bank.path()), before);
    EXPECT_EQ(folderEntries(bank.dir()), entries);

    const QString missing = QDir(bank.dir()).filePath(QStringLiteral("missing.db"));
    const CheckReport report = BankChecker::check(missing);
    EXPECT_EQ(problemKinds(report), QList<Kind>{Kind::CannotOpen});
    EXPECT_FALSE(QFileInfo::exists(missing));
}

// A single-choice question whose text holds no option lines shows three
// answer buttons and nothing to choose between; one that holds them, in
// the bank's layout or as teachers type them, is fine.
TEST(BankChecker, warnsAboutSingleChoiceQuestionsWithoutOptionLines)
{
    TestBank bank;
    fillWorkingBank(bank);
    bank.exec(QStringLiteral("update Subjects set subject = subject || char(10) || 'A、一' || char(10) || 'B、二' "
                             "|| char(10) || 'C、三' where [no] > 2"));
    bank.exec(QStringLiteral("update Subjects set subject = '题' || char(10) || 'A. 一' || char(10) || 'B．二' "
                             "|| char(10) || '(C) 三' where [no] = 2"));
    bank.exec(QStringLiteral("insert into Subjects([no], subject, result, classNo, passOnly, fatherNo) "
                             "values (5000, '判断题', 0, 1, 0, 101)"));
    const CheckReport report = BankChecker::check(bank.path());
    EXPECT_TRUE(report.programWorks());
    EXPECT_EQ(report.count(Kind::NoOptionLines), 1) << report.toText(bank.path()).toStdString();
    EXPECT_TRUE(report.toText(bank.path()).contains(QStringLiteral("question 1: a single-choice question without option lines")))
        << report.toText(bank.path()).toStdString();
}
