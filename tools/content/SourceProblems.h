#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

// Where in a source a problem is: a line of a JSON file, or a row (as the
// spreadsheet numbers it, the header being row 1) and column of a sheet.
// Rows, not lines: a cell holding line breaks makes a row span several
// lines of a CSV file, and the teacher looks for the row.
struct SourcePlace
{
    enum class Unit { Line, Row };

    int number = 0; // 0: the file as a whole
    Unit unit = Unit::Line;
    QString column;     // a sheet's column letter ("C"); empty for none
    QString columnName; // the header of that column ("答案")

    static SourcePlace line(int number) { return {number, Unit::Line, {}, {}}; }
    static SourcePlace row(int number) { return {number, Unit::Row, {}, {}}; }
    static SourcePlace cell(int row, const QString& column, const QString& columnName)
    {
        return {row, Unit::Row, column, columnName};
    }
};

// Problems found in a source file, each tied to the file and the place it
// comes from. Errors stop a build; warnings are shown and the build goes on.
struct SourceProblem
{
    Q_DECLARE_TR_FUNCTIONS(SourceProblem)

public:
    QString file;
    int line = 0; // the place's number: a JSON line, a sheet's row; 0: the file as a whole
    QString reason;
    SourcePlace::Unit unit = SourcePlace::Unit::Line;
    QString column;
    QString columnName;
    QString value; // the cell or value the problem is about, as written; empty for none

    // "file:line: reason" (the form editors and IDEs link to) for a JSON
    // source; "file: row 5, column C (答案): "X": reason" for a sheet.
    QString toString() const;

    // Where it is, without the reason: "file: row 5, column C (答案)".
    QString placeText() const;

    // A value as a message quotes it: at most a line's worth, with line
    // breaks shown as ⏎ so that a cell pasted from a web page stays on one
    // line of the report.
    static QString shown(const QString& value, qsizetype characters = 30);

    // The same without the quotes.
    static QString shortened(const QString& value, qsizetype characters = 30);
};

// The problems are kept within bounds whatever the source holds: a reason
// longer than maxReasonCharacters keeps its start and its end (the advice)
// and says how much of the quoted value was left out, and after
// maxKeptPerList errors (or warnings) the rest are only counted.
class SourceProblems
{
public:
    static constexpr qsizetype maxReasonCharacters = 400;
    static constexpr qsizetype maxKeptPerList = 1000;

    void addError(const QString& file, int line, const QString& reason);
    void addWarning(const QString& file, int line, const QString& reason);
    void addError(const QString& file, const SourcePlace& place, const QString& reason, const QString& value = {});
    void addWarning(const QString& file, const SourcePlace& place, const QString& reason, const QString& value = {});

    bool hasErrors() const { return !errors_.isEmpty(); }
    const QList<SourceProblem>& errors() const { return errors_; }
    const QList<SourceProblem>& warnings() const { return warnings_; }
    // Those counted but not kept.
    qint64 errorsLeftOut() const { return errorsLeftOut_; }
    qint64 warningsLeftOut() const { return warningsLeftOut_; }

private:
    static void add(QList<SourceProblem>& list, qint64& leftOut, SourceProblem problem);

    QList<SourceProblem> errors_;
    QList<SourceProblem> warnings_;
    qint64 errorsLeftOut_ = 0;
    qint64 warningsLeftOut_ = 0;
};
