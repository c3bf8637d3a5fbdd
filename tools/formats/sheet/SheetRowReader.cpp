#include "tools/formats/sheet/SheetRowReader.h"

#include "tools/content/SourceWords.h"

#include <QCoreApplication>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(SheetBankReader)
};

} // namespace

using SheetHeader::Column;

std::optional<qint64> SheetRowReader::integer(Column column, const QString& example)
{
    bool ok = false;
    const QString cell = field(column);
    const qint64 value = SourceWords::normalized(cell).toLongLong(&ok);
    if (ok)
        return value;
    if (cell.trimmed().isEmpty())
        error(column, Text::tr("the cell is empty; write a whole number, such as %1").arg(example));
    else
        error(column, Text::tr("not a whole number; write a whole number, such as %1").arg(example), cell);
    return std::nullopt;
}
