#include "tools/formats/sheet/XlsSheet.h"

#include "tools/bankfile/SystemFiles.h"
#include "tools/content/InputLimits.h"
#include "tools/formats/sheet/SheetLimits.h"
#include "tools/formats/sheet/XlsxSheet.h"

#include "store/RegularFile.h"


#include <freexl.h>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(XlsSheet)
};

// An open workbook, closed when it goes out of scope.
class Workbook
{
public:
    explicit Workbook(const QString& path)
    {
        if (freexl_open(SystemFiles::libraryFileName(path).constData(), &handle_) != FREEXL_OK) {
            freexl_close(handle_);
            handle_ = nullptr;
        }
    }
    ~Workbook()
    {
        if (handle_)
            freexl_close(handle_);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    bool isOpen() const { return handle_ != nullptr; }
    const void* handle() const { return handle_; }

    QStringList names() const
    {
        QStringList names;
        unsigned int count = 0;
        if (freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK)
            return names;
        for (unsigned int i = 0; i < count && i < 0xFFFF; ++i) {
            const char* name = nullptr;
            if (freexl_get_worksheet_name(handle_, static_cast<unsigned short>(i), &name) != FREEXL_OK || !name)
                return {};
            names.append(QString::fromUtf8(name));
        }
        return names;
    }

private:
    const void* handle_ = nullptr;
};

QString cellValue(const FreeXL_CellValue& cell)
{
    switch (cell.type) {
    case FREEXL_CELL_INT: return QString::number(cell.value.int_value);
    case FREEXL_CELL_DOUBLE: {
        const double value = cell.value.double_value;
        if (value == double(qint64(value)) && qAbs(value) < 9007199254740992.0)
            return QString::number(qint64(value));
        return QString::number(value, 'g', 15);
    }
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME: {
        QString text = QString::fromUtf8(cell.value.text_value);
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        return text;
    }
    default: return {};
    }
}

// The file is checked as every source is (a regular file, within the
// limit) before libfreexl opens it by name.
QString unusable(const QString& path)
{
    return RegularFile::read(path, InputLimits::sourceBytes).error;
}

} // namespace

namespace XlsSheet {

Sheet read(const QString& path, const QString& worksheet)
{
    Sheet sheet;
    if (const QString error = unusable(path); !error.isEmpty()) {
        sheet.error = error;
        return sheet;
    }
    const Workbook workbook(path);
    if (!workbook.isOpen()) {
        sheet.error = Text::tr("not an Excel 97-2003 workbook (.xls), or a damaged one (a Word or other Office "
                               "file has the same outer form); open it in your spreadsheet program and save it again");
        return sheet;
    }
    const QStringList names = workbook.names();
    const qsizetype index = worksheet.isEmpty() ? (names.isEmpty() ? -1 : 0) : names.indexOf(worksheet);
    if (index < 0 || freexl_select_active_worksheet(workbook.handle(), static_cast<unsigned short>(index)) != FREEXL_OK) {
        sheet.error = worksheet.isEmpty() ? Text::tr("the workbook has no worksheet")
                                          : Text::tr("the workbook has no worksheet named %1").arg(worksheet);
        return sheet;
    }
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(workbook.handle(), &rows, &columns) != FREEXL_OK) {
        sheet.error = Text::tr("the worksheet cannot be read; the file is damaged");
        return sheet;
    }
    const int readColumns = qMin<int>(columns, XlsxSheet::maxColumns);
    qint64 cellCount = 0;
    qint64 characters = 0;
    for (unsigned int r = 0; r < rows; ++r) {
        QStringList cells;
        for (int c = 0; c < readColumns; ++c) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(workbook.handle(), r, static_cast<unsigned short>(c), &cell) != FREEXL_OK)
                continue;
            const QString value = cellValue(cell);
            if (value.isEmpty())
                continue;
            characters += value.size();
            if (value.size() > SheetLimits::maxCellCharacters || characters > SheetLimits::maxCharacters) {
                sheet.rows.clear();
                sheet.error = Text::tr("row %1: the worksheet holds more text than the tool reads (%L2 characters in "
                                       "a cell, %L3 in all); split it")
                                  .arg(r + 1)
                                  .arg(SheetLimits::maxCellCharacters)
                                  .arg(SheetLimits::maxCharacters);
                return sheet;
            }
            while (cells.size() <= c)
                cells.append(QString());
            cells[c] = value;
        }
        if (cells.isEmpty())
            continue;
        cellCount += cells.size();
        if (cellCount > XlsxSheet::maxCells) {
            sheet.rows.clear();
            sheet.error = Text::tr("the worksheet has more than %L1 cells, more than the tool reads; split it")
                              .arg(XlsxSheet::maxCells);
            return sheet;
        }
        sheet.rows.append({int(r) + 1, cells});
    }
    sheet.readAs = Text::tr("Excel 97-2003 workbook, worksheet \"%1\"").arg(names.value(index));
    return sheet;
}

QStringList worksheetNames(const QString& path)
{
    if (!unusable(path).isEmpty())
        return {};
    const Workbook workbook(path);
    return workbook.isOpen() ? workbook.names() : QStringList();
}

} // namespace XlsSheet
