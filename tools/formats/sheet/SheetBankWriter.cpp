#include "tools/formats/sheet/SheetBankWriter.h"

#include "tools/bankfile/OutputFiles.h"
#include "tools/bankfile/SystemFiles.h"

#include "tools/content/OptionLayout.h"
#include "tools/formats/sheet/FormulaGuard.h"
#include "tools/formats/sheet/SheetLayout.h"
#include "tools/content/SourceWords.h"

#include "rules/AnswerCode.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>

#include <xlsxwriter.h>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(SheetBankWriter)
};

// Excel's limit on one cell's text.
constexpr qsizetype maxCellCharacters = 32767;
// Whole numbers beyond this lose digits as a spreadsheet's numbers.
constexpr qint64 largestExactNumber = qint64(1) << 53;

using SheetBankWriter::Cell;

Cell number(qint64 value)
{
    return {QString::number(value), qAbs(value) < largestExactNumber};
}

Cell text(const QString& value)
{
    return {value, false};
}

QList<Cell> questionRow(const BankQuestion& question)
{
    QString stem = question.text;
    QStringList options(OptionLayout::optionCount);
    if (QuestionType::isSingleChoice(question.type)) {
        if (const auto split = OptionLayout::split(question.text)) {
            stem = split->question;
            options = split->options;
        }
    }
    QList<Cell> row{number(question.no), text(SourceWords::typeWord(question.type) == QLatin1String("single")
                                                  ? QStringLiteral("单选")
                                                  : QStringLiteral("判断")),
                    text(stem)};
    for (const QString& option : options)
        row.append(text(option));
    row.append({text(SourceWords::answerWord(question.answer, question.type)), number(question.category),
                text(question.mustAnswer == 1 ? QStringLiteral("是") : QStringLiteral("否")),
                text(question.picture ? question.pictureFile : QString())});
    return row;
}

// A workbook's text stores characters XML cannot hold as _xHHHH_, so a
// text that holds such a sequence itself has its underscore stored as
// _x005F_; without that, "_x0041_" would come back as "A".
QString xmlEscapesKept(const QString& text)
{
    static const QRegularExpression escape(QStringLiteral("_(?=x[0-9A-Fa-f]{4}_)"));
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString kept = text;
    return kept.replace(escape, QStringLiteral("_x005F_"));
}

QString csvField(const QString& value)
{
    const bool quoted = value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"'))
                     || value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\t'))
                     || value != value.trimmed();
    if (!quoted)
        return value;
    QString escaped = value;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

} // namespace

namespace SheetBankWriter {

QStringList uncarried(const BankContent& content, Kind kind)
{
    QStringList problems;
    const auto checkText = [&](const QString& what, const QString& value) {
        if (value.contains(QLatin1Char('\r')))
            problems.append(Text::tr("%1 holds a carriage return, which a sheet reads as a line break").arg(what));
        if (kind == Kind::Xlsx && value.size() > maxCellCharacters)
            problems.append(Text::tr("%1 is longer than the %L2 characters an Excel cell holds")
                                .arg(what)
                                .arg(maxCellCharacters));
    };
    for (const BankCategory& category : content.categories) {
        const QString what = Text::tr("category %1").arg(category.no);
        if (category.title.trimmed().isEmpty())
            problems.append(Text::tr("%1 has no title, which a sheet requires").arg(what));
        checkText(what, category.title);
    }
    for (const BankQuestion& question : content.questions) {
        const QString what = Text::tr("question %1").arg(question.no);
        if (SourceWords::typeWord(question.type).isEmpty())
            problems.append(Text::tr("%1: the type code %2 has no word in a sheet").arg(what).arg(question.type));
        else if (SourceWords::answerWord(question.answer, question.type).isEmpty())
            problems.append(Text::tr("%1: the answer code %2 has no word in a sheet").arg(what).arg(question.answer));
        if (question.mustAnswer != 0 && question.mustAnswer != 1)
            problems.append(Text::tr("%1: the must-answer value %2 has no word in a sheet")
                                .arg(what)
                                .arg(question.mustAnswer));
        if (question.text.trimmed().isEmpty())
            problems.append(Text::tr("%1 has no text, which a sheet requires").arg(what));
        checkText(what, question.text);
    }
    for (const BankMaterial& material : content.materials) {
        const QString what = Text::tr("material \"%1\"").arg(material.title);
        checkText(what, material.title);
        checkText(what, material.text);
    }
    return problems;
}

QList<Table> tables(const BankContent& content)
{
    Table questions{SheetLayout::questionsSheet(),
                    {SheetLayout::no(), SheetLayout::type(), SheetLayout::text(), SheetLayout::option(0),
                     SheetLayout::option(1), SheetLayout::option(2), SheetLayout::answer(), SheetLayout::category(),
                     SheetLayout::mustAnswer(), SheetLayout::picture()},
                    {}};
    for (const BankQuestion& question : content.questions)
        questions.rows.append(questionRow(question));

    Table categories{SheetLayout::categoriesSheet(), {SheetLayout::category(), SheetLayout::title()}, {}};
    for (const BankCategory& category : content.categories)
        categories.rows.append({number(category.no), text(category.title)});

    Table materials{SheetLayout::materialsSheet(),
                    {SheetLayout::materialId(), SheetLayout::materialTitle(), SheetLayout::materialText()},
                    {}};
    for (const BankMaterial& material : content.materials)
        materials.rows.append({material.id ? number(*material.id) : text(QString()), text(material.title),
                               text(material.text)});
    return {questions, categories, materials};
}

QByteArray csv(const Table& table)
{
    QStringList lines{table.header.join(QLatin1Char(','))};
    for (const QList<Cell>& row : table.rows) {
        QStringList fields;
        for (const Cell& cell : row)
            fields.append(csvField(cell.number ? cell.text : FormulaGuard::guarded(cell.text)));
        lines.append(fields.join(QLatin1Char(',')));
    }
    return QByteArray("\xEF\xBB\xBF") + (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

bool xlsx(const QList<Table>& tables, const QString& path, QString& error)
{
    // libxlsxwriter writes to a file by name, and its scratch files beside
    // it: the export's own folder, which goes with the run however it ends.
    // The file is made here first, exclusively, so that nothing is written
    // through a link planted under its name. The scratch files are made by
    // a narrow name in the system's code page (SystemFiles::narrowName).
    if (!SystemFiles::writeNewFile(path, {})) {
        error = Text::tr("the workbook cannot be written: %1").arg(OutputFiles::systemError(errno));
        return false;
    }
    QByteArray tmpdir = SystemFiles::narrowName(QFileInfo(path).absolutePath());
    const QByteArray file = SystemFiles::libraryFileName(path);
    if (tmpdir.isEmpty()) {
        error = Text::tr("the workbook cannot be written: this system cannot spell the folder's name for the "
                         "workbook writer; choose a folder whose name has only letters of the system's language");
        return false;
    }
    lxw_workbook_options options{};
    options.tmpdir = tmpdir.data();
    lxw_workbook* workbook = workbook_new_opt(file.constData(), &options);
    if (!workbook) {
        error = Text::tr("cannot start the workbook");
        return false;
    }
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);
    // Text cells (and the empty cells of text columns) are formatted as
    // text, so that editing one in Excel or WPS never makes it a formula.
    lxw_format* wrapped = workbook_add_format(workbook);
    format_set_text_wrap(wrapped);
    format_set_align(wrapped, LXW_ALIGN_VERTICAL_TOP);
    format_set_num_format(wrapped, "@");

    lxw_error failure = LXW_NO_ERROR;
    const auto check = [&failure](lxw_error result) {
        if (failure == LXW_NO_ERROR)
            failure = result;
    };
    for (const Table& table : tables) {
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, table.name.toUtf8().constData());
        for (qsizetype column = 0; column < table.header.size(); ++column) {
            check(worksheet_write_string(sheet, 0, lxw_col_t(column), table.header[column].toUtf8().constData(), bold));
            // Text columns wide enough to read, numbers narrow.
            const bool wide = !table.rows.isEmpty() && !table.rows.first().value(column).number;
            check(worksheet_set_column(sheet, lxw_col_t(column), lxw_col_t(column), wide ? 30 : 8,
                                       wide ? wrapped : nullptr));
        }
        for (qsizetype row = 0; row < table.rows.size(); ++row) {
            const QList<Cell>& cells = table.rows[row];
            for (qsizetype column = 0; column < cells.size(); ++column) {
                const Cell& cell = cells[column];
                if (cell.number)
                    check(worksheet_write_number(sheet, lxw_row_t(row + 1), lxw_col_t(column),
                                                 double(cell.text.toLongLong()), nullptr));
                else if (!cell.text.isEmpty())
                    check(worksheet_write_string(sheet, lxw_row_t(row + 1), lxw_col_t(column),
                                                 xmlEscapesKept(cell.text).toUtf8().constData(), wrapped));
            }
        }
    }
    check(workbook_close(workbook));
    if (failure != LXW_NO_ERROR) {
        error = Text::tr("the workbook cannot be written: %1").arg(QString::fromUtf8(lxw_strerror(failure)));
        return false;
    }
    if (!SystemFiles::syncFile(path)) {
        error = Text::tr("the workbook cannot be written: %1").arg(OutputFiles::systemError(errno));
        return false;
    }
    return true;
}

bool xlsxInPlace(const QList<Table>& tables, const QString& target, bool replace, QString& error)
{
    const QFileInfo info(target);
    const QString temporary = info.absoluteDir().filePath(
        QStringLiteral(".%1.%2.tmp").arg(info.fileName()).arg(QCoreApplication::applicationPid()));
    if (xlsx(tables, temporary, error) && OutputFiles::place(temporary, target, replace, error))
        return true;
    QFile::remove(temporary);
    return false;
}

} // namespace SheetBankWriter
