#include "XlsxFixtures.h"

#include "tools/formats/sheet/Sheet.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <zip.h>

#include <stdexcept>

namespace {

QByteArray escaped(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

const QByteArray mainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const QByteArray relNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

QByteArray workbookXml()
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<workbook xmlns=\"" + mainNs
           + "\" xmlns:r=\"" + relNs + "\"><sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
}

QByteArray relationshipsXml(const QString& sheetTarget, bool sharedStrings)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Relationships "
                     "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                     "<Relationship Id=\"rId1\" Type=\"" + relNs + "/worksheet\" Target=\"" + sheetTarget.toUtf8()
                     + "\"/>";
    if (sharedStrings)
        xml += "<Relationship Id=\"rId3\" Type=\"" + relNs + "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
    return xml + "</Relationships>";
}

// Excel writes a carriage return inside a cell as _x000D_ and CR LF line
// breaks as _x000D_ and a line feed.
QByteArray excelText(const QString& text)
{
    QString excel = text;
    excel.replace(QLatin1Char('\n'), QStringLiteral("_x000D_\n"));
    return escaped(excel);
}

bool isNumber(const QString& text)
{
    bool ok = false;
    text.toLongLong(&ok);
    return ok;
}

} // namespace

namespace XlsxFixtures {

QByteArray zip(const Parts& parts)
{
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(QDir(dir.path()).filePath(QStringLiteral("book.zip")));
    int error = 0;
    zip_t* archive = zip_open(path.constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        throw std::runtime_error("cannot make a zip archive");
    for (const auto& [name, content] : parts) {
        zip_source_t* source = zip_source_buffer(archive, content.constData(), zip_uint64_t(content.size()), 0);
        const zip_int64_t index = zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0 || zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 1) != 0)
            throw std::runtime_error("cannot add a part");
    }
    // The parts' bytes are read here, while `parts` still holds them.
    if (zip_close(archive) != 0)
        throw std::runtime_error("cannot write the zip archive");
    QFile file(QFile::decodeName(path));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the zip archive");
    return file.readAll();
}

Parts minimalParts(const QString& sheetTarget, const QByteArray& sheetXml, const QByteArray& sharedStrings)
{
    const QString sheetPart = sheetTarget.startsWith(QLatin1Char('/')) ? sheetTarget.mid(1)
                                                                       : QStringLiteral("xl/") + sheetTarget;
    Parts parts{
        {QStringLiteral("[Content_Types].xml"), "<?xml version=\"1.0\"?><Types "
                                                "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>"},
        {QStringLiteral("xl/workbook.xml"), workbookXml()},
        {QStringLiteral("xl/_rels/workbook.xml.rels"), relationshipsXml(sheetTarget, !sharedStrings.isEmpty())},
        {sheetPart, sheetXml},
    };
    if (!sharedStrings.isEmpty())
        parts.append({QStringLiteral("xl/sharedStrings.xml"), sharedStrings});
    return parts;
}

QByteArray workbook(Writer writer, const QList<QStringList>& rows)
{
    QStringList shared;
    QByteArray sheetData;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const QByteArray rowNumber = QByteArray::number(r + 1);
        sheetData += writer == Writer::Streaming ? QByteArray("<row>") : "<row r=\"" + rowNumber + "\" spans=\"1:12\">";
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            const QString& value = rows[r][c];
            const QByteArray reference = SheetFiles::columnLetters(int(c)).toUtf8() + rowNumber;
            if (writer == Writer::Streaming) {
                // Every cell written, empty ones too, without references.
                sheetData += isNumber(value) ? "<c><v>" + value.toUtf8() + "</v></c>"
                                             : "<c t=\"inlineStr\"><is><t xml:space=\"preserve\">" + escaped(value)
                                                   + "</t></is></c>";
                continue;
            }
            if (value.isEmpty())
                continue;
            if (isNumber(value)) {
                // Excel may write a whole number in exponent form.
                const QByteArray number = writer == Writer::Excel && value.size() > 2
                                              ? QByteArray::number(value.toDouble(), 'E', int(value.size()) - 1)
                                              : value.toUtf8() + (writer == Writer::Openpyxl ? ".0" : "");
                sheetData += "<c r=\"" + reference + "\" s=\"1\"><v>" + number + "</v></c>";
            } else if (value == QLatin1String("TRUE") || value == QLatin1String("FALSE")) {
                sheetData += "<c r=\"" + reference + "\" t=\"b\"><v>" + (value == QLatin1String("TRUE") ? "1" : "0")
                             + "</v></c>";
            } else {
                sheetData += "<c r=\"" + reference + "\" t=\"s\"><v>" + QByteArray::number(shared.size()) + "</v></c>";
                shared.append(value);
            }
        }
        sheetData += "</row>";
    }
    const QByteArray sheetXml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet xmlns=\""
                                + mainNs + "\" xmlns:r=\"" + relNs + "\"><dimension ref=\"A1\"/><sheetData>"
                                + sheetData + "</sheetData></worksheet>";

    QByteArray sharedXml;
    if (!shared.isEmpty()) {
        sharedXml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<sst xmlns=\"" + mainNs + "\" count=\""
                    + QByteArray::number(shared.size()) + "\">";
        for (const QString& text : shared) {
            if (writer == Writer::Excel && text.contains(QLatin1Char('\n')))
                sharedXml += "<si><t xml:space=\"preserve\">" + excelText(text) + "</t></si>";
            else if (writer == Writer::Wps && text.size() > 1)
                // Rich text: the first character in a run of its own, with a
                // phonetic guide that is not part of the text.
                sharedXml += "<si><r><rPr><b/></rPr><t>" + escaped(text.left(1)) + "</t></r><r><t xml:space=\"preserve\">"
                             + escaped(text.mid(1)) + "</t></r><rPh sb=\"0\" eb=\"1\"><t>ピン</t></rPh></si>";
            else
                sharedXml += "<si><t xml:space=\"preserve\">" + escaped(text) + "</t></si>";
        }
        sharedXml += "</sst>";
    }
    const QString target = writer == Writer::Openpyxl ? QStringLiteral("/xl/worksheets/sheet1.xml")
                                                      : QStringLiteral("worksheets/sheet1.xml");
    return zip(minimalParts(target, sheetXml, sharedXml));
}

} // namespace XlsxFixtures
