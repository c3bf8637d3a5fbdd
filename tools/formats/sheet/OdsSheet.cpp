#include "tools/formats/sheet/OdsSheet.h"

#include "tools/formats/sheet/SheetLimits.h"
#include "tools/formats/sheet/XlsxSheet.h"
#include "tools/formats/sheet/ZipArchive.h"

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(OdsSheet)
};

using ZipArchive::Unreadable;

const QString contentPart = QStringLiteral("content.xml");

int repeatCount(const ZipArchive::Part& part, const char* attribute)
{
    bool ok = false;
    const int count = part.attribute(attribute).toInt(&ok);
    return ok && count > 0 ? count : 1;
}

// Reads content.xml: the names of all worksheets, and the rows of the one
// wanted.
class ContentReader
{
public:
    ContentReader(const QByteArray& xml, const QString& wanted, Sheet* sheet)
        : part_(contentPart, xml)
        , wanted_(wanted)
        , sheet_(sheet)
    {
    }

    QStringList run()
    {
        bool found = false;
        while (part_.nextStart()) {
            if (part_.name() != QLatin1String("table"))
                continue;
            const QString name = part_.attribute("name");
            names_.append(name);
            if (sheet_ && !found && (wanted_.isEmpty() || name == wanted_)) {
                found = true;
                sheet_->readAs = Text::tr("OpenDocument spreadsheet, worksheet \"%1\"").arg(name);
                readTable();
            }
        }
        if (sheet_ && !found)
            throw Unreadable{wanted_.isEmpty() ? Text::tr("the spreadsheet has no worksheet")
                                               : Text::tr("the spreadsheet has no worksheet named %1").arg(wanted_)};
        return names_;
    }

private:
    void readTable()
    {
        QXmlStreamReader& reader = part_.reader();
        int row = 0;
        while (!reader.atEnd()) {
            const QXmlStreamReader::TokenType token = part_.next();
            if (token == QXmlStreamReader::EndElement && reader.name() == QLatin1String("table"))
                return;
            if (token != QXmlStreamReader::StartElement || reader.name() != QLatin1String("table-row"))
                continue;
            const int repeated = repeatCount(part_, "number-rows-repeated");
            const QStringList cells = readRow();
            if (!cells.isEmpty()) {
                qint64 rowCharacters = 0;
                for (const QString& cell : cells)
                    rowCharacters += cell.size();
                for (int i = 0; i < repeated; ++i) {
                    // A repeated row or cell counts each time it repeats: a
                    // short file may repeat one long cell many times.
                    characters_ += rowCharacters;
                    if (characters_ > SheetLimits::maxCharacters)
                        throw Unreadable{Text::tr("the worksheet's cells hold more than %L1 characters in all "
                                                  "(repeated cells counted each time), the limit")
                                             .arg(SheetLimits::maxCharacters)};
                    cellCount_ += cells.size();
                    if (cellCount_ > XlsxSheet::maxCells)
                        throw Unreadable{Text::tr("the worksheet has more than %L1 cells, more than the tool reads; "
                                                  "split it")
                                             .arg(XlsxSheet::maxCells)};
                    sheet_->rows.append({row + i + 1, cells});
                }
            }
            row += repeated;
        }
    }

    QStringList readRow()
    {
        QStringList cells;
        int column = 0;
        QXmlStreamReader& reader = part_.reader();
        while (!reader.atEnd()) {
            const QXmlStreamReader::TokenType token = part_.next();
            if (token == QXmlStreamReader::EndElement && reader.name() == QLatin1String("table-row"))
                break;
            if (token != QXmlStreamReader::StartElement)
                continue;
            const bool covered = reader.name() == QLatin1String("covered-table-cell");
            if (reader.name() != QLatin1String("table-cell") && !covered)
                continue;
            const int repeated = repeatCount(part_, "number-columns-repeated");
            const QString value = cellValue();
            if (value.size() > SheetLimits::maxCellCharacters)
                throw Unreadable{Text::tr("a cell holds %L1 characters, more than the %L2 a cell may hold")
                                     .arg(value.size())
                                     .arg(SheetLimits::maxCellCharacters)};
            if (!value.isEmpty()) {
                for (int i = 0; i < repeated && column + i < XlsxSheet::maxColumns; ++i) {
                    while (cells.size() <= column + i)
                        cells.append(QString());
                    cells[column + i] = value;
                }
            }
            column += repeated;
        }
        return cells;
    }

    // The value of the cell the reader is on: numbers as office:value
    // (a whole number without a decimal point), truth values as
    // true/false, anything else as its paragraphs.
    QString cellValue()
    {
        const QString type = part_.attribute("value-type");
        const QString number = part_.attribute("value");
        const QString truth = part_.attribute("boolean-value");
        const QString text = cellText();
        if (type == QLatin1String("float") && !number.isEmpty()) {
            bool ok = false;
            const double value = number.toDouble(&ok);
            if (ok && value == double(qint64(value)) && qAbs(value) < 9007199254740992.0)
                return QString::number(qint64(value));
        }
        if (type == QLatin1String("boolean") && !truth.isEmpty())
            return truth;
        return text;
    }

    // The paragraphs of the cell, one line each, up to the cell's end.
    QString cellText()
    {
        QStringList paragraphs;
        QString current;
        int depth = 0; // inside a paragraph
        int annotation = 0;
        QXmlStreamReader& reader = part_.reader();
        while (!reader.atEnd()) {
            const QXmlStreamReader::TokenType token = part_.next();
            const QStringView name = reader.name();
            if (token == QXmlStreamReader::EndElement
                && (name == QLatin1String("table-cell") || name == QLatin1String("covered-table-cell")))
                break;
            if (token == QXmlStreamReader::StartElement) {
                if (name == QLatin1String("annotation"))
                    ++annotation;
                else if (annotation > 0)
                    continue;
                else if (name == QLatin1String("p") || name == QLatin1String("h"))
                    ++depth, current.clear();
                else if (name == QLatin1String("s"))
                    current += QString(repeatCount(part_, "c"), QLatin1Char(' '));
                else if (name == QLatin1String("tab"))
                    current += QLatin1Char('\t');
                else if (name == QLatin1String("line-break"))
                    current += QLatin1Char('\n');
            } else if (token == QXmlStreamReader::EndElement) {
                if (name == QLatin1String("annotation"))
                    --annotation;
                else if (annotation == 0 && (name == QLatin1String("p") || name == QLatin1String("h")) && depth > 0) {
                    --depth;
                    paragraphs.append(current);
                }
            } else if (token == QXmlStreamReader::Characters && depth > 0 && annotation == 0) {
                current += reader.text();
            }
        }
        return paragraphs.join(QLatin1Char('\n'));
    }

    ZipArchive::Part part_;
    QString wanted_;
    Sheet* sheet_;
    QStringList names_;
    qint64 cellCount_ = 0;
    qint64 characters_ = 0;
};

QByteArray contentOf(const QByteArray& bytes)
{
    ZipArchive::Archive archive(bytes, XlsxSheet::maxPartBytes,
                                Text::tr("not an OpenDocument spreadsheet (.ods): the file is not a zip archive, or "
                                         "is cut short"));
    return archive.part(contentPart);
}

} // namespace

namespace OdsSheet {

Sheet parse(const QByteArray& bytes, const QString& worksheet)
{
    Sheet sheet;
    try {
        ContentReader(contentOf(bytes), worksheet, &sheet).run();
    } catch (const Unreadable& failure) {
        sheet.rows.clear();
        sheet.error = failure.message;
    }
    return sheet;
}

QStringList worksheetNames(const QByteArray& bytes)
{
    try {
        return ContentReader(contentOf(bytes), {}, nullptr).run();
    } catch (const Unreadable&) {
        return {};
    }
}

} // namespace OdsSheet
