#include "tools/formats/sheet/Sheet.h"

#include "tools/formats/sheet/CsvRecords.h"
#include "tools/formats/sheet/XlsxSheet.h"

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
    for (const CsvRecord& record : file.records)
        sheet.rows.append({record.row, record.fields});
    sheet.readAs = file.delimiter == '\t' ? Text::tr("tab-separated text, %1").arg(file.encoding)
                                          : Text::tr("CSV, %1").arg(file.encoding);
    return sheet;
}

} // namespace

namespace SheetFiles {

bool isWorkbook(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) == 0;
}

bool isSheet(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("csv") || suffix == QLatin1String("txt") || suffix == QLatin1String("tsv")
        || suffix == QLatin1String("xlsx");
}

Sheet read(const QString& path, const QString& worksheet)
{
    return isWorkbook(path) ? XlsxSheet::read(path, worksheet) : fromCsv(CsvRecords::read(path));
}

QString columnLetters(int index)
{
    QString letters;
    for (int n = index + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

} // namespace SheetFiles
