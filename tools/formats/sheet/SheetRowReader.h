#pragma once

#include "tools/content/BankSource.h"
#include "tools/formats/sheet/SheetColumns.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

// One row being read, with the problems found in it. Errors are faults the
// teacher must correct; a reason to leave the row out says the question is
// one the program cannot show.
class SheetRowReader
{
public:
    SheetRowReader(const SheetColumns& sheet, const SheetRow& row, SourceProblems& problems)
        : sheet_(sheet), row_(row), problems_(problems)
    {
    }

    int number() const { return row_.row; }
    const SheetRow& row() const { return row_; }
    bool failed() const { return failed_; }
    const std::optional<LeftOutRow>& leftOut() const { return leftOut_; }

    void error(SheetHeader::Column column, const QString& reason, const QString& value = {})
    {
        problems_.addError(sheet_.path(), sheet_.cell(row_.row, column), reason, value);
        failed_ = true;
    }
    void optionError(int option, const QString& reason, const QString& value = {})
    {
        problems_.addError(sheet_.path(), sheet_.optionCell(row_.row, option), reason, value);
        failed_ = true;
    }
    void leaveOut(const SourcePlace& place, const QString& reason, const QString& value)
    {
        if (!leftOut_)
            leftOut_ = LeftOutRow{place, reason, value, row_.cells};
    }
    void leaveOut(SheetHeader::Column column, const QString& reason, const QString& value)
    {
        leaveOut(sheet_.cell(row_.row, column), reason, value);
    }

    QString field(SheetHeader::Column column) const { return sheet_.field(row_, column); }
    QList<std::pair<int, QString>> options() const { return sheet_.options(row_); }
    const SheetColumns& sheet() const { return sheet_; }

    // A whole number from the cell; nothing, with the error said, when the
    // cell holds none. `example` shows one in the message.
    std::optional<qint64> integer(SheetHeader::Column column, const QString& example);

private:
    const SheetColumns& sheet_;
    const SheetRow& row_;
    SourceProblems& problems_;
    bool failed_ = false;
    std::optional<LeftOutRow> leftOut_;
};
