#pragma once

#include "tools/content/SourceProblems.h"
#include "tools/formats/sheet/Sheet.h"
#include "tools/formats/sheet/SheetBankReader.h"
#include "tools/formats/sheet/SheetHeader.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <utility>

// A sheet's rows by column, after its header row. The header is the first
// row (among the first few) that names `required` columns; rows above it
// are left out. What cannot be read is said in `problems`, what was read
// how in `notes`.
class SheetColumns
{
public:
    SheetColumns(const SheetBankReader::SheetSource& source, Sheet sheet, SheetHeader::SheetKind kind,
                 const QList<SheetHeader::Column>& required, SourceProblems& problems, QStringList& notes);

    // The columns a sheet of questions cannot do without.
    static const QList<SheetHeader::Column>& questionColumns();

    // The index of the header row: the first, among the first few, that
    // names every column of `required`; -1 when none does.
    static qsizetype headerRow(const Sheet& sheet, SheetHeader::SheetKind kind,
                               const QList<SheetHeader::Column>& required);

    // A cell's text with the line breaks typed into it; a sheet saved on
    // Windows may write them as CR LF.
    static QString cellText(const QString& text);

    // Words a cell may hold, listed in a message.
    static QString listed(const QStringList& words);

    const QString& path() const { return path_; }
    const QList<SheetRow>& rows() const { return rows_; }
    const SheetRow& header() const { return header_; }
    const QStringList& unused() const { return unused_; }
    bool has(SheetHeader::Column column) const { return columns_.contains(column); }

    // The place of a column's cell in a row, for messages.
    SourcePlace cell(int row, SheetHeader::Column column) const
    {
        const int at = columns_.value(column, -1);
        return SourcePlace::cell(row, at >= 0 ? SheetFiles::columnLetters(at) : QString(),
                                 at >= 0 ? header_.cells.value(at).trimmed() : SheetHeader::name(column));
    }
    SourcePlace optionCell(int row, int option) const
    {
        const int at = options_.value(option);
        return SourcePlace::cell(row, SheetFiles::columnLetters(at), header_.cells.value(at).trimmed());
    }

    QString field(const SheetRow& row, SheetHeader::Column column) const
    {
        const int at = columns_.value(column, -1);
        return at >= 0 ? row.cells.value(at) : QString();
    }

    // The option columns, in letter order: (index, text).
    QList<std::pair<int, QString>> options(const SheetRow& row) const
    {
        QList<std::pair<int, QString>> cells;
        for (auto it = options_.cbegin(); it != options_.cend(); ++it)
            cells.append({it.key(), row.cells.value(it.value())});
        return cells;
    }

private:
    QString path_;
    SheetRow header_;
    QHash<SheetHeader::Column, int> columns_;
    QMap<int, int> options_; // option index (0: A) -> column
    QList<SheetRow> rows_;
    QStringList unused_;
};
