#include "tools/formats/sheet/CsvRecords.h"

#include "tools/content/InputLimits.h"
#include "tools/formats/sheet/SheetLimits.h"

#include "store/RegularFile.h"

#include "tools/formats/sheet/TextEncoding.h"

#include <QCoreApplication>

#include <csv.h>

#include <algorithm>
#include <memory>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(CsvRecords)
};

// What libcsv's callbacks add to, one record at a time, within the limits
// a workbook has: a cell's length, the columns of a row (those beyond are
// ignored), the cells of the sheet and the text they hold in all.
struct Collector
{
    CsvFile* file = nullptr;
    int recordLine = 0;
    int recordRow = 0;
    QStringList fields;
    bool betweenRecords = true;
    qint64 cells = 0;
    qint64 characters = 0;
    QString error; // the first limit passed

    static void onField(void* data, size_t size, void* self)
    {
        auto* collector = static_cast<Collector*>(self);
        if (!collector->error.isEmpty() || collector->fields.size() >= SheetLimits::maxColumns)
            return;
        QString field = QString::fromUtf8(static_cast<const char*>(data), qsizetype(size));
        // A line break in a cell is '\n', whichever line ends the file uses.
        if (field.contains(QLatin1Char('\r'))) {
            field.replace(QLatin1String("\r\n"), QLatin1String("\n"));
            field.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        }
        collector->characters += field.size();
        if (field.size() > SheetLimits::maxCellCharacters)
            collector->error = Text::tr("row %1: a cell holds %L2 characters, more than the %L3 a cell may hold")
                                   .arg(collector->recordRow)
                                   .arg(field.size())
                                   .arg(SheetLimits::maxCellCharacters);
        else if (++collector->cells > SheetLimits::maxCells)
            collector->error = Text::tr("the sheet has more than %L1 cells, the limit").arg(SheetLimits::maxCells);
        else if (collector->characters > SheetLimits::maxCharacters)
            collector->error = Text::tr("the sheet's cells hold more than %L1 characters in all, the limit")
                                   .arg(SheetLimits::maxCharacters);
        else
            collector->fields.append(std::move(field));
    }

    static void onRecordEnd(int, void* self)
    {
        auto* collector = static_cast<Collector*>(self);
        const bool allEmpty = std::all_of(collector->fields.cbegin(), collector->fields.cend(),
                                          [](const QString& field) { return field.trimmed().isEmpty(); });
        if (!allEmpty && collector->error.isEmpty())
            collector->file->records.append({collector->recordLine, collector->recordRow, collector->fields});
        collector->fields.clear();
        collector->betweenRecords = true;
    }
};

struct ParserDeleter
{
    void operator()(csv_parser* parser) const
    {
        csv_free(parser);
        delete parser;
    }
};

bool isBlank(QByteArrayView line)
{
    return line.trimmed().isEmpty();
}

// Where the line starting at `begin` ends, its line end included: LF, CRLF
// or a lone CR (as old Mac files end their lines) alike.
qsizetype lineEnd(QByteArrayView text, qsizetype begin)
{
    for (qsizetype i = begin; i < text.size(); ++i) {
        if (text[i] == '\n')
            return i + 1;
        if (text[i] == '\r')
            return i + 1 < text.size() && text[i + 1] == '\n' ? i + 2 : i + 1;
    }
    return text.size();
}

// "Unicode 文本" is separated by tabs, CSV by commas: the header row tells.
char delimiterOf(QByteArrayView text)
{
    const qsizetype end = lineEnd(text, 0);
    const QByteArrayView header = end < 0 ? text : text.first(end);
    return header.count('\t') > header.count(',') ? '\t' : ',';
}

// libcsv's errors, said so that a teacher knows what to change.
QString parseError(int error, int row)
{
    switch (error) {
    case CSV_EPARSE:
        return Text::tr("row %1: a quote (\") in the middle of a cell, or text after a closing quote; put a cell that "
                        "holds quotes in quotes as a whole and double each quote inside it (\"\")")
            .arg(row);
    case CSV_ETOOBIG:
        return Text::tr("row %1: a cell is too large").arg(row);
    default:
        return Text::tr("out of memory");
    }
}

} // namespace

namespace CsvRecords {

CsvFile parse(const QByteArray& bytes)
{
    CsvFile result;
    const TextEncoding::Decoded decoded = TextEncoding::decode(bytes);
    if (!decoded.error.isEmpty()) {
        result.error = decoded.error;
        return result;
    }
    result.encoding = decoded.encoding;
    const QByteArray utf8 = decoded.text.toUtf8();
    const QByteArrayView text(utf8);
    result.delimiter = delimiterOf(text);

    std::unique_ptr<csv_parser, ParserDeleter> parser(new csv_parser);
    if (csv_init(parser.get(), CSV_STRICT | CSV_STRICT_FINI | CSV_APPEND_NULL) != 0) {
        result.error = Text::tr("out of memory");
        return result;
    }
    csv_set_delim(parser.get(), result.delimiter);

    // libcsv tells when a record ends but not where; feeding it one line at
    // a time tells which line that is. A record starts on the first line
    // that is not blank after the previous record ended. Rows are counted as
    // a spreadsheet numbers them: one per record, and one per blank line.
    Collector collector;
    collector.file = &result;
    int line = 0;
    int row = 0;
    qsizetype begin = 0;
    while (begin < text.size()) {
        const qsizetype end = lineEnd(text, begin);
        const QByteArrayView chunk = text.sliced(begin, end - begin);
        ++line;
        if (collector.betweenRecords) {
            ++row;
            if (!isBlank(chunk)) {
                collector.recordLine = line;
                collector.recordRow = row;
                collector.betweenRecords = false;
            }
        }
        if (csv_parse(parser.get(), chunk.data(), size_t(chunk.size()), Collector::onField, Collector::onRecordEnd,
                      &collector)
            != size_t(chunk.size())) {
            result.error = parseError(csv_error(parser.get()), collector.recordRow);
            return result;
        }
        if (!collector.error.isEmpty()) {
            result.error = collector.error;
            result.records.clear();
            return result;
        }
        begin = end;
    }
    const int finished = csv_fini(parser.get(), Collector::onField, Collector::onRecordEnd, &collector);
    if (!collector.error.isEmpty()) {
        result.error = collector.error;
        result.records.clear();
    } else if (finished != 0) {
        result.error = Text::tr("row %1: a cell opens a quote (\") that is never closed; close it, or double a quote "
                                "that is part of the text (\"\")")
                           .arg(collector.recordRow);
    }
    return result;
}

CsvFile read(const QString& path)
{
    const RegularFile::Result file = RegularFile::read(path, InputLimits::sourceBytes);
    if (!file.bytes) {
        CsvFile result;
        result.error = file.error;
        return result;
    }
    return parse(*file.bytes);
}

} // namespace CsvRecords
