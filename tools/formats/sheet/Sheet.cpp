#include "tools/formats/sheet/Sheet.h"

#include "tools/content/InputLimits.h"
#include "tools/formats/sheet/CsvRecords.h"
#include "tools/formats/sheet/FormulaGuard.h"
#include "tools/formats/sheet/OdsSheet.h"
#include "tools/formats/sheet/XlsSheet.h"
#include "tools/formats/sheet/XlsxSheet.h"

#include "store/RegularFile.h"

#include <QFileInfo>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(SheetFiles)
};

Sheet fromCsv(const CsvFile& file)
{
    Sheet sheet;
    sheet.error = file.error;
    for (const CsvRecord& record : file.records) {
        // The fields are shared with the record, and copied only when one
        // changes.
        SheetRow row{record.row, record.fields};
        for (qsizetype i = 0; i < record.fields.size(); ++i)
            if (record.fields[i].startsWith(QLatin1Char('\'')))
                row.cells[i] = FormulaGuard::unguarded(record.fields[i]);
        sheet.rows.append(std::move(row));
    }
    sheet.readAs = file.delimiter == '\t' ? Text::tr("tab-separated text, %1").arg(file.encoding)
                                          : Text::tr("CSV, %1").arg(file.encoding);
    return sheet;
}

// An OpenDocument file stores its media type first, uncompressed, so that
// it can be told by its opening bytes.
const QByteArray odsMediaType = "application/vnd.oasis.opendocument.spreadsheet";

Sheet failed(const QString& error)
{
    Sheet sheet;
    sheet.error = error;
    return sheet;
}

} // namespace

namespace SheetFiles {

Kind kindOf(const QString& path)
{
    const RegularFile::Result prefix = RegularFile::readPrefix(path, 128);
    if (!prefix.bytes)
        return Kind::Text; // reading it as text says why it cannot be read
    const QByteArray& bytes = *prefix.bytes;
    if (bytes.startsWith("PK\x03\x04"))
        return bytes.contains(odsMediaType) ? Kind::Ods : Kind::Xlsx;
    if (bytes.startsWith(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)))
        return Kind::Xls;
    return Kind::Text;
}

Sheet read(const QString& path, const QString& worksheet)
{
    switch (kindOf(path)) {
    case Kind::Xlsx: return XlsxSheet::read(path, worksheet);
    case Kind::Xls: return XlsSheet::read(path, worksheet);
    case Kind::Ods: {
        const RegularFile::Result file = RegularFile::read(path, InputLimits::sourceBytes);
        return file.bytes ? OdsSheet::parse(*file.bytes, worksheet) : failed(file.error);
    }
    case Kind::Text: break;
    }
    return fromCsv(CsvRecords::read(path));
}

QStringList worksheetNames(const QString& path)
{
    switch (kindOf(path)) {
    case Kind::Xlsx: return XlsxSheet::worksheetNames(path);
    case Kind::Xls: return XlsSheet::worksheetNames(path);
    case Kind::Ods: {
        const RegularFile::Result file = RegularFile::read(path, InputLimits::sourceBytes);
        return file.bytes ? OdsSheet::worksheetNames(*file.bytes) : QStringList();
    }
    case Kind::Text: break;
    }
    return {};
}

QString columnLetters(int index)
{
    QString letters;
    for (int n = index + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

} // namespace SheetFiles
