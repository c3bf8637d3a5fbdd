#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// Excel workbooks made in the tests, part by part, the way the programs
// teachers use write them: Excel and WPS (shared strings, rich text runs,
// phonetic guides, _x000D_ escapes), Python's openpyxl (absolute part
// paths) and streaming writers (inline strings, cells without references).
namespace XlsxFixtures {

using Parts = QList<std::pair<QString, QByteArray>>;

// A zip archive of the parts, deflated.
QByteArray zip(const Parts& parts);

enum class Writer { Excel, Wps, Openpyxl, Streaming };

// A workbook of one worksheet "Sheet1" holding `rows` (cells from A on; an
// empty cell is left out) in the style of `writer`.
QByteArray workbook(Writer writer, const QList<QStringList>& rows);

// The workbook parts every writer writes, with the first worksheet at
// `sheetTarget` (as the workbook's relationship names it) holding `sheetXml`.
Parts minimalParts(const QString& sheetTarget, const QByteArray& sheetXml, const QByteArray& sharedStrings = {});

} // namespace XlsxFixtures
