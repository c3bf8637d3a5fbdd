#include "tools/commands/CheckCommand.h"

#include "tools/console/ProgressBar.h"
#include "tools/bankfile/BankToRead.h"
#include "tools/content/OptionLayout.h"

#include "rules/AnswerCode.h"
#include "rules/BankColumns.h"
#include "rules/BankTables.h"
#include "rules/CategoryNumber.h"
#include "rules/ExamRules.h"
#include "rules/Statements.h"
#include "rules/StoredPicture.h"
#include "store/FieldValue.h"
#include "store/Database.h"
#include "store/Statement.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>

#include <optional>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(CheckCommand)
};

using Severity = CheckFinding::Severity;
using Kind = CheckFinding::Kind;

// Column positions of one table's "select *", by lower-case name.
using Columns = QHash<QString, int>;

class Checker
{
public:
    Checker(Database& db, CheckReport& report)
        : db_(db), report_(report)
    {
    }

    void run()
    {
        checkIntegrity();
        const auto classes = tableColumns(BankTables::classes());
        const auto subjects = tableColumns(BankTables::subjects());
        const auto materials = tableColumns(BankTables::materials());

        QSet<qint64> offered;
        if (classes)
            offered = checkCategories(*classes);
        if (subjects) {
            checkQuestions(*subjects, offered, classes.has_value());
            checkExam();
        }
        if (materials)
            checkMaterials(*materials);
    }

private:
    void fault(Kind kind, const QString& text) { report_.add(Severity::Fault, kind, text); }
    void warning(Kind kind, const QString& text) { report_.add(Severity::Warning, kind, text); }
    void note(Kind kind, const QString& text) { report_.add(Severity::Note, kind, text); }

    // SQLite's own check of the file: pages used twice or by nobody, broken
    // indexes, records cut short. The program may read wrong rows from such
    // a file, or fail half-way.
    void checkIntegrity()
    {
        Database::Rows rows(db_, QStringLiteral("pragma integrity_check(10)"));
        QStringList problems;
        while (rows.next())
            problems.append(QString::fromUtf8(rows.row().columnText(0)));
        if (problems != QStringList{QStringLiteral("ok")})
            fault(Kind::Damaged, Text::tr("the file is damaged (SQLite's integrity check: %1)")
                                     .arg(problems.join(QStringLiteral("; "))));
    }

    // The table's columns, or nothing (and a fault) when the table or one of
    // the columns the program reads is missing.
    std::optional<Columns> tableColumns(const BankTables::Table& table)
    {
        Columns columns;
        try {
            const Database::Rows statement(db_, QStringLiteral("select * from %1 limit 0")
                                                        .arg(BankTables::bracketed({table.name})));
            for (int i = 0; i < statement.row().columnCount(); ++i)
                columns.insert(statement.row().columnName(i).toLower(), i);
        } catch (const StoreError&) {
            fault(Kind::MissingTable, Text::tr("table %1 is missing").arg(table.name));
            return std::nullopt;
        }
        bool complete = true;
        for (const QString& column : table.columns) {
            if (!columns.contains(column.toLower())) {
                fault(Kind::MissingColumn, Text::tr("table %1 has no column %2").arg(table.name, column));
                complete = false;
            }
        }
        return complete ? std::optional(columns) : std::nullopt;
    }

    // Reads an integer field of `row` as the program does, reporting values
    // it cannot read and values of the wrong kind.
    std::optional<int> integerField(const Statement& row, const Columns& columns, const QString& table,
                                    const QString& rowName, const QString& column)
    {
        const FieldValue value = row.value(columns.value(column.toLower()));
        const std::optional<int> number = readInteger(value);
        if (!number)
            fault(Kind::UnreadableValue, Text::tr("%1 %2: %3 is %4, which the program cannot read as a number")
                                             .arg(table, rowName, column, shownValue(value)));
        else if (value.kind != FieldValue::Kind::Integer)
            warning(Kind::WrongKind, Text::tr("%1 %2: %3 is %4 (%5), read as %6")
                                         .arg(table, rowName, column, shownValue(value), kindName(value.kind))
                                         .arg(*number));
        return number;
    }

    void textField(const Statement& row, const Columns& columns, const QString& table, const QString& rowName,
                   const QString& column)
    {
        const FieldValue value = row.value(columns.value(column.toLower()));
        if (value.kind != FieldValue::Kind::Text)
            warning(Kind::WrongKind, Text::tr("%1 %2: %3 is %4 (%5), not text; shown as its text")
                                         .arg(table, rowName, column, shownValue(value), kindName(value.kind)));
    }

    // Walks the category list in the program's order. The program stops at a
    // number it cannot read, so only the categories before it are offered.
    QSet<qint64> checkCategories(const Columns& columns)
    {
        const QString table = BankTables::classes().name;
        QSet<qint64> offered;
        int listed = 0;
        int headings = 0;
        int total = 0;
        std::optional<QString> stoppedAt;
        Database::Rows rows(db_, Statements::classList());
        while (rows.next()) {
            const Statement& row = rows.row();
            ++total;
            if (stoppedAt)
                continue;
            const FieldValue noValue = row.value(columns.value(Column::no));
            const QString rowName = Text::tr("category %1").arg(shownValue(noValue));
            // The program reads the number's text as stored, as the list does.
            const CategoryNumber::Reading number = CategoryNumber::read(readText(noValue));
            if (number.kind == CategoryNumber::Kind::NotANumber) {
                stoppedAt = shownValue(noValue);
                continue;
            }
            integerField(row, columns, table, rowName, Column::no);
            textField(row, columns, table, rowName, Column::remark);
            ++listed;
            if (number.kind == CategoryNumber::Kind::Heading)
                ++headings;
            else
                offered.insert(number.number);
        }
        if (stoppedAt)
            fault(Kind::CategoryNotInteger,
                  Text::tr("category number %1 is not an integer: the program stops the category list "
                                 "there, so %2 of the %3 categories are not shown")
                      .arg(*stoppedAt)
                      .arg(total - listed)
                      .arg(total));
        note(Kind::Summary, Text::tr("categories: %1 offered for practice, %2 chapter heading(s)")
                                .arg(offered.size())
                                .arg(headings));
        return offered;
    }

    void checkQuestions(const Columns& columns, const QSet<qint64>& offered, bool haveCategories)
    {
        const QString table = BankTables::subjects().name;
        const int total = countOf(QStringLiteral("select count(*) from %1").arg(TableName::subjects));
        ProgressBar progress(Text::tr("Checking"), total);
        QHash<int, int> numberUses;
        int withPicture = 0;
        int position = 0;
        Database::Rows rows(db_, Statements::allSubjects());
        while (rows.next()) {
            const Statement& row = rows.row();
            progress.advance();
            ++position;
            const FieldValue noValue = row.value(columns.value(Column::no));
            const QString rowName = Text::tr("question %1").arg(readInteger(noValue) ? shownValue(noValue)
                                                                                   : Text::tr("#%1").arg(position));
            const auto no = integerField(row, columns, table, rowName, Column::no);
            textField(row, columns, table, rowName, Column::subject);
            const auto result = integerField(row, columns, table, rowName, Column::result);
            const auto type = integerField(row, columns, table, rowName, Column::classNo);
            integerField(row, columns, table, rowName, Column::passOnly);
            const auto category = integerField(row, columns, table, rowName, Column::fatherNo);

            if (no)
                ++numberUses[*no];
            if (result && (*result < 0 || *result > 2))
                warning(Kind::AnswerOutOfRange,
                        Text::tr("%1: answer code %2 is not A, B or C (0 to 2): no answer button is right")
                            .arg(rowName)
                            .arg(*result));
            else if (result && type && *type != 0 && *result == 2)
                warning(Kind::JudgeAnswerC,
                        Text::tr("%1: a true/false question whose answer is C (2): no button is right")
                            .arg(rowName));
            if (type && QuestionType::isSingleChoice(*type)
                && !OptionLayout::hasOptionLines(readText(row.value(columns.value(Column::subject)))))
                warning(Kind::NoOptionLines,
                        Text::tr("%1: a single-choice question without option lines (A、… B、… C、…) in its text: "
                                 "the learner sees three answer buttons and nothing to choose between")
                            .arg(rowName));
            if (category && haveCategories && !offered.contains(*category))
                warning(Kind::CategoryNotOffered,
                        Text::tr("%1: category %2 is %3, so the question is never offered for practice")
                            .arg(rowName)
                            .arg(*category)
                            .arg(CategoryNumber::isHeading(*category) ? Text::tr("a chapter heading")
                                                                      : Text::tr("not in the category list")));

            const QByteArray picture = readBytes(row.value(columns.value(Column::bmp)));
            try {
                if (!StoredPicture::decode(picture).isNull())
                    ++withPicture;
            } catch (const StoredPicture::InvalidPicture& error) {
                fault(Kind::UndecodablePicture,
                      Text::tr("%1: the picture (%2 bytes) will not show: %3")
                          .arg(rowName)
                          .arg(picture.size())
                          .arg(error.text()));
            }
        }
        for (auto it = numberUses.cbegin(); it != numberUses.cend(); ++it)
            if (it.value() > 1)
                warning(Kind::DuplicateQuestionNumber,
                        Text::tr("question number %1 is used by %2 questions: looked up by number, only "
                                       "one of them is ever shown")
                            .arg(it.key())
                            .arg(it.value()));
        note(Kind::Summary, Text::tr("questions: %1, of which %2 with a picture").arg(total).arg(withPicture));
    }

    int countOf(const QString& sql) { return int(db_.scalar(sql)); }

    int rowsOf(const QString& sql)
    {
        return countOf(QStringLiteral("select count(*) from (%1)").arg(sql));
    }

    // Counts the two pools with the program's own statements.
    void checkExam()
    {
        const int total = countOf(QStringLiteral("select count(*) from %1").arg(TableName::subjects));
        const int mustAnswer = rowsOf(Statements::mustAnswerNumbers());
        const int ordinary = rowsOf(Statements::ordinaryNumbers());
        if (total > mustAnswer + ordinary)
            warning(Kind::NotInExamPool,
                    Text::tr("%1 question(s) are neither must-answer (passOnly 1) nor ordinary (passOnly 0): "
                                   "they never appear in a mock exam")
                        .arg(total - mustAnswer - ordinary));

        // Practice works on such a bank; only the mock exam is missing.
        if (ordinary <= ExamRules::ordinaryMinimum) {
            warning(Kind::NoExam, Text::tr("no mock exam can run: it needs more than %1 ordinary questions "
                                                 "(passOnly 0) and the bank has %2. Practice works; add ordinary "
                                                 "questions to have a mock exam")
                                        .arg(ExamRules::ordinaryMinimum)
                                        .arg(ordinary));
            return;
        }
        if (mustAnswer > ExamRules::mustAnswerMinimum) {
            note(Kind::ExamPlan,
                 Text::tr("mock exam: %1 questions; first %2 drawn at random from the %3 must-answer "
                                "questions, then %4 drawn at random from the %5 ordinary questions")
                     .arg(ExamRules::examSize)
                     .arg(ExamRules::mustAnswerDraws)
                     .arg(mustAnswer)
                     .arg(ExamRules::examSize - ExamRules::mustAnswerDraws)
                     .arg(ordinary));
            return;
        }
        QString plan = Text::tr("mock exam: %1 questions drawn at random from the %2 ordinary questions")
                           .arg(ExamRules::examSize)
                           .arg(ordinary);
        if (mustAnswer > 0)
            plan += Text::tr("; the %1 must-answer questions are left out (drawing %2 of them needs more "
                                   "than %3)")
                        .arg(mustAnswer)
                        .arg(ExamRules::mustAnswerDraws)
                        .arg(ExamRules::mustAnswerMinimum);
        note(Kind::ExamPlan, plan);
    }

    void checkMaterials(const Columns& columns)
    {
        const QString table = BankTables::materials().name;
        int count = 0;
        Database::Rows rows(db_, Statements::materials());
        while (rows.next()) {
            const Statement& row = rows.row();
            ++count;
            const QString rowName = Text::tr("material #%1").arg(count);
            textField(row, columns, table, rowName, Column::title);
            textField(row, columns, table, rowName, Column::memo);
        }
        note(Kind::Summary, Text::tr("reference materials: %1").arg(count));
    }

    Database& db_;
    CheckReport& report_;
};

} // namespace

namespace CheckCommand {

CheckReport check(const QString& bankPath, const Database::Limits& limits)
{
    CheckReport report;
    std::optional<BankToRead> file;
    std::optional<Database> db;
    try {
        file.emplace(bankPath);
        db.emplace(file->path(), Database::Mode::Unchanged, limits);
    } catch (const StoreError& error) {
        report.add(Severity::Fault, Kind::CannotOpen, error.text());
        return report;
    }
    if (file->recovered())
        report.add(Severity::Warning, Kind::HotJournal, file->recoveryNote(bankPath));
    try {
        Checker(*db, report).run();
    } catch (const StoreError& error) {
        report.add(Severity::Fault, Kind::CannotRead, error.text());
    }
    return report;
}

CommandResult run(const QString& bankPath, const Database::Limits& limits)
{
    const CheckReport report = check(bankPath, limits);
    CommandResult result;
    result.report = report.toText(bankPath);
    result.exitCode = report.programWorks() ? ExitCode::ok : ExitCode::faults;
    return result;
}

} // namespace CheckCommand
