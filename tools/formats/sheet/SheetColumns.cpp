#include "tools/formats/sheet/SheetColumns.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(SheetBankReader)
};

using SheetBankReader::SheetSource;
using SheetHeader::Column;

// The header is looked for among the first rows: a title typed (often in
// merged cells) above the header is common.
constexpr int headerSearchRows = 10;

QString columnWithSpellings(Column column, SheetHeader::SheetKind kind)
{
    const QStringList names = SheetHeader::spellings(column, kind);
    return Text::tr("%1 (or %2)").arg(names.value(0), SheetColumns::listed(names.mid(1)));
}

} // namespace

const QList<Column>& SheetColumns::questionColumns()
{
    static const QList<Column> columns{Column::Text, Column::Answer};
    return columns;
}

qsizetype SheetColumns::headerRow(const Sheet& sheet, SheetHeader::SheetKind kind, const QList<Column>& required)
{
    for (qsizetype i = 0; i < qMin<qsizetype>(sheet.rows.size(), headerSearchRows); ++i) {
        const QStringList& cells = sheet.rows[i].cells;
        const bool named = std::all_of(required.cbegin(), required.cend(), [&](Column column) {
            return std::any_of(cells.cbegin(), cells.cend(),
                               [&](const QString& cell) { return SheetHeader::column(kind, cell) == column; });
        });
        if (named)
            return i;
    }
    return -1;
}

QString SheetColumns::cellText(const QString& text)
{
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return normalized;
}

QString SheetColumns::listed(const QStringList& words)
{
    return words.join(QStringLiteral(", "));
}

SheetColumns::SheetColumns(const SheetSource& source, Sheet sheet, SheetHeader::SheetKind kind,
                           const QList<Column>& required, SourceProblems& problems, QStringList& notes)
    : path_(source.displayName())
{
    const bool options = kind == SheetHeader::SheetKind::Questions;
    if (!sheet.error.isEmpty()) {
        problems.addError(path_, 0, sheet.error);
        return;
    }
    notes.append(Text::tr("%1: read as %2").arg(path_, sheet.readAs));
    QStringList wanted;
    for (Column column : required)
        wanted.append(columnWithSpellings(column, kind));
    const qsizetype at = headerRow(sheet, kind, required);
    if (at < 0) {
        problems.addError(path_, SourcePlace::row(sheet.rows.isEmpty() ? 1 : sheet.rows.first().row),
                          Text::tr("no header row names the columns %1; write them in the first row of "
                                   "the sheet")
                              .arg(wanted.join(Text::tr("; "))));
        return;
    }
    if (at > 0)
        notes.append(Text::tr("%1: the header is row %2; the rows above it are left out")
                         .arg(path_)
                         .arg(sheet.rows[at].row));
    header_ = sheet.rows[at];
    QStringList unused;
    for (qsizetype i = 0; i < header_.cells.size(); ++i) {
        const QString& name = header_.cells[i];
        if (name.trimmed().isEmpty())
            continue;
        const QString letters = SheetFiles::columnLetters(int(i));
        if (const auto column = SheetHeader::column(kind, name); column && !columns_.contains(*column)) {
            columns_.insert(*column, int(i));
            if (*column == Column::Explanation)
                unused.append(Text::tr("%1 (%2: the program shows no explanations)").arg(letters, name));
            continue;
        }
        if (const auto option = SheetHeader::optionIndex(name); options && option && !options_.contains(*option)) {
            options_.insert(*option, int(i));
            continue;
        }
        unused.append(Text::tr("%1 (%2)").arg(letters, SourceProblem::shortened(name)));
    }
    unused_ = unused;
    if (!unused.isEmpty())
        notes.append(Text::tr("%1: columns not read: %2").arg(path_, unused.join(QStringLiteral(", "))));
    rows_ = sheet.rows.mid(at + 1);
}
