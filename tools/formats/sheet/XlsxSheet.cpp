#include "tools/formats/sheet/XlsxSheet.h"

#include "tools/content/InputLimits.h"
#include "tools/formats/sheet/SheetLimits.h"

#include "store/RegularFile.h"
#include "tools/formats/sheet/ZipArchive.h"

#include <QHash>
#include <QXmlStreamReader>


#include <optional>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(XlsxSheet)
};

using ZipArchive::Unreadable;

// The workbook's zip container.
class Archive : public ZipArchive::Archive
{
public:
    explicit Archive(QByteArray bytes)
        : ZipArchive::Archive(std::move(bytes), XlsxSheet::maxPartBytes,
                              Text::tr("not an Excel workbook (.xlsx): the file is not a zip archive, or is cut "
                                       "short"))
    {
    }
};

// An XML part of the workbook.
class Part : public ZipArchive::Part
{
public:
    using ZipArchive::Part::Part;

    // The relationship id of an element (r:id), whatever the prefix's
    // namespace (transitional or strict).
    QString relationshipId()
    {
        for (const QXmlStreamAttribute& attribute : reader().attributes())
            if (attribute.name() == QLatin1String("id") && !attribute.namespaceUri().isEmpty())
                return attribute.value().toString();
        return {};
    }

    // The text of the <t> elements inside the current element (a shared
    // string or an inline string, plain or in runs), leaving out phonetic
    // guides (<rPh>), which are not part of the cell's text.
    QString textOfRuns()
    {
        QString text;
        QXmlStreamReader& reader_ = reader();
        const QString end = reader_.name().toString();
        int phonetic = 0;
        while (!reader_.atEnd()) {
            const QXmlStreamReader::TokenType token = reader_.readNext();
            if (token == QXmlStreamReader::StartElement && reader_.name() == QLatin1String("rPh"))
                ++phonetic;
            else if (token == QXmlStreamReader::EndElement && reader_.name() == QLatin1String("rPh"))
                --phonetic;
            else if (token == QXmlStreamReader::StartElement && reader_.name() == QLatin1String("t") && phonetic == 0)
                text += reader_.readElementText(QXmlStreamReader::IncludeChildElements);
            else if (token == QXmlStreamReader::EndElement && reader_.name() == end)
                break;
        }
        return text;
    }
};

// Spreadsheet text escapes characters XML cannot hold as _xHHHH_ (Excel
// writes a carriage return as _x000D_); line breaks become plain '\n'.
QString cellText(const QString& stored)
{
    QString text;
    text.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i) {
        if (stored[i] == u'_' && i + 6 < stored.size() && stored[i + 1] == u'x' && stored[i + 6] == u'_') {
            bool ok = false;
            const ushort code = stored.mid(i + 2, 4).toUShort(&ok, 16);
            if (ok) {
                text += QChar(code);
                i += 6;
                continue;
            }
        }
        text += stored[i];
    }
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// A number as the spreadsheet shows it by default: a whole number without
// a decimal point (101, not 101.0 or 1.01E2).
QString numberText(const QString& stored)
{
    bool ok = false;
    const double value = stored.toDouble(&ok);
    if (ok && qAbs(value) < 9007199254740992.0 && value == double(qint64(value)))
        return QString::number(qint64(value));
    return stored;
}

// Where a part a relationship names is: targets are relative to xl/, or
// absolute from the package's root.
QString partPath(const QString& target)
{
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    return QStringLiteral("xl/") + target;
}

struct Workbook
{
    QStringList sheetNames;
    QString sheetName;
    QString sheetPart;
    QString sharedStringsPart;
};

// The workbook's parts for worksheet `wanted` (the first when empty).
Workbook readWorkbook(Archive& archive, const QString& wanted)
{
    Workbook workbook;
    QString sheetId;
    Part book(QStringLiteral("xl/workbook.xml"), archive.part(QStringLiteral("xl/workbook.xml")));
    while (book.nextStart()) {
        if (book.name() != QLatin1String("sheet"))
            continue;
        const QString name = book.attribute("name");
        workbook.sheetNames.append(name);
        if (sheetId.isEmpty() && (wanted.isEmpty() || name == wanted)) {
            workbook.sheetName = name;
            sheetId = book.relationshipId();
        }
    }
    if (sheetId.isEmpty())
        throw Unreadable{wanted.isEmpty() ? Text::tr("the workbook has no worksheet")
                                          : Text::tr("the workbook has no worksheet named %1").arg(wanted)};

    Part relationships(QStringLiteral("xl/_rels/workbook.xml.rels"),
                       archive.part(QStringLiteral("xl/_rels/workbook.xml.rels")));
    while (relationships.nextStart()) {
        if (relationships.name() != QLatin1String("Relationship"))
            continue;
        const QString target = partPath(relationships.attribute("Target"));
        if (relationships.attribute("Id") == sheetId)
            workbook.sheetPart = target;
        else if (relationships.attribute("Type").endsWith(QLatin1String("/sharedStrings")))
            workbook.sharedStringsPart = target;
    }
    if (workbook.sheetPart.isEmpty())
        throw Unreadable{Text::tr("the workbook does not say where its first worksheet is; it is damaged")};
    return workbook;
}

QStringList readSharedStrings(Archive& archive, const QString& partName)
{
    QStringList strings;
    if (partName.isEmpty() || !archive.has(partName))
        return strings;
    Part part(partName, archive.part(partName));
    while (part.nextStart())
        if (part.name() == QLatin1String("si"))
            strings.append(cellText(part.textOfRuns()));
    return strings;
}

// A cell reference's column ("BC12" -> 54); -1 when it has none.
int columnOf(const QString& reference)
{
    int column = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference[i].isLetter(); ++i) {
        column = column * 26 + (reference[i].toUpper().unicode() - u'A' + 1);
        if (column > 16384)
            return -1;
    }
    return i == 0 ? -1 : column - 1;
}

class SheetReader
{
public:
    SheetReader(Archive& archive, const Workbook& workbook, Sheet& sheet)
        : shared_(readSharedStrings(archive, workbook.sharedStringsPart))
        , part_(workbook.sheetPart, archive.part(workbook.sheetPart))
        , sheet_(sheet)
    {
    }

    void run()
    {
        int lastRow = 0;
        while (part_.nextStart()) {
            if (part_.name() != QLatin1String("row"))
                continue;
            const QString number = part_.attribute("r");
            const int row = number.isEmpty() ? lastRow + 1 : number.toInt();
            if (row <= lastRow || row > 1048576)
                throw Unreadable{Text::tr("the worksheet's rows are out of order or numbered beyond Excel's last "
                                          "row (row %1); the file is damaged")
                                     .arg(number)};
            lastRow = row;
            readRow(row);
        }
    }

private:
    void readRow(int row)
    {
        QStringList cells;
        int lastColumn = -1;
        QXmlStreamReader& reader = part_.reader();
        while (!reader.atEnd()) {
            const QXmlStreamReader::TokenType token = reader.readNext();
            if (token == QXmlStreamReader::EndElement && reader.name() == QLatin1String("row"))
                break;
            if (token != QXmlStreamReader::StartElement || reader.name() != QLatin1String("c"))
                continue;
            const QString reference = part_.attribute("r");
            const int column = reference.isEmpty() ? lastColumn + 1 : columnOf(reference);
            if (column < 0)
                throw Unreadable{Text::tr("row %1: the cell reference \"%2\" is not valid; the file is damaged")
                                     .arg(row)
                                     .arg(reference)};
            lastColumn = column;
            const QString value = cellValue(row, reference);
            if (column >= XlsxSheet::maxColumns || value.isEmpty())
                continue;
            // A shared string counts each time a cell uses it: a short
            // workbook may use one long string in many cells.
            characters_ += value.size();
            if (value.size() > SheetLimits::maxCellCharacters)
                throw Unreadable{Text::tr("row %1: the cell %2 holds %L3 characters, more than the %L4 a cell may hold")
                                     .arg(row)
                                     .arg(reference)
                                     .arg(value.size())
                                     .arg(SheetLimits::maxCellCharacters)};
            if (characters_ > SheetLimits::maxCharacters)
                throw Unreadable{Text::tr("the worksheet's cells hold more than %L1 characters in all (shared "
                                          "strings counted in every cell that uses them), the limit")
                                     .arg(SheetLimits::maxCharacters)};
            while (cells.size() <= column)
                cells.append(QString());
            cells[column] = value;
        }
        if (cells.isEmpty())
            return;
        cellCount_ += cells.size();
        if (cellCount_ > XlsxSheet::maxCells)
            throw Unreadable{Text::tr("the worksheet has more than %L1 cells, more than the tool reads; split it")
                                 .arg(XlsxSheet::maxCells)};
        sheet_.rows.append({row, cells});
    }

    // The value of the <c> element the reader is on, as text.
    QString cellValue(int row, const QString& reference)
    {
        const QString type = part_.attribute("t");
        QXmlStreamReader& reader = part_.reader();
        if (type == QLatin1String("inlineStr"))
            return cellText(part_.textOfRuns());
        QString stored;
        while (!reader.atEnd()) {
            const QXmlStreamReader::TokenType token = reader.readNext();
            if (token == QXmlStreamReader::StartElement && reader.name() == QLatin1String("v"))
                stored = reader.readElementText(QXmlStreamReader::IncludeChildElements);
            else if (token == QXmlStreamReader::EndElement && reader.name() == QLatin1String("c"))
                break;
        }
        if (type == QLatin1String("s")) {
            bool ok = false;
            const int index = stored.toInt(&ok);
            if (!ok || index < 0 || index >= shared_.size())
                throw Unreadable{Text::tr("row %1: cell %2 refers to a shared string the workbook does not have; "
                                          "the file is damaged")
                                     .arg(row)
                                     .arg(reference)};
            return shared_[index];
        }
        if (type == QLatin1String("b"))
            return stored == QLatin1String("1") ? QStringLiteral("true") : QStringLiteral("false");
        if (type == QLatin1String("str") || type == QLatin1String("e") || type == QLatin1String("d"))
            return cellText(stored);
        return numberText(stored);
    }

    QStringList shared_;
    Part part_;
    Sheet& sheet_;
    qint64 cellCount_ = 0;
    qint64 characters_ = 0;
};

} // namespace

namespace XlsxSheet {

Sheet parse(const QByteArray& bytes, const QString& worksheet)
{
    Sheet sheet;
    try {
        Archive archive(bytes);
        const Workbook workbook = readWorkbook(archive, worksheet);
        SheetReader(archive, workbook, sheet).run();
        sheet.readAs = Text::tr("Excel workbook, worksheet \"%1\"").arg(workbook.sheetName);
    } catch (const Unreadable& failure) {
        sheet.rows.clear();
        sheet.error = failure.message;
    }
    return sheet;
}

Sheet read(const QString& path, const QString& worksheet)
{
    const RegularFile::Result file = RegularFile::read(path, InputLimits::sourceBytes);
    if (!file.bytes) {
        Sheet sheet;
        sheet.error = file.error;
        return sheet;
    }
    return parse(*file.bytes, worksheet);
}

QStringList worksheetNames(const QString& path)
{
    const RegularFile::Result file = RegularFile::read(path, InputLimits::sourceBytes);
    if (!file.bytes)
        return {};
    try {
        Archive archive(*file.bytes);
        return readWorkbook(archive, {}).sheetNames;
    } catch (const Unreadable&) {
        return {};
    }
}

} // namespace XlsxSheet
