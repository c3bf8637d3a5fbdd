#include "tools/formats/sheet/CsvRecords.h"

#include "tools/content/InputLimits.h"

#include "store/RegularFile.h"

#include "tools/formats/sheet/TextEncoding.h"

#include <QCoreApplication>

#include <csv.h>

#include <algorithm>
#include <memory>

namespace {

// What libcsv's callbacks add to, one record at a time.
struct Collector
{
    CsvFile* file = nullptr;
    int recordLine = 0;
    int recordRow = 0;
    QStringList fields;
    bool betweenRecords = true;

    static void onField(void* data, size_t size, void* self)
    {
        auto* collector = static_cast<Collector*>(self);
        collector->fields.append(QString::fromUtf8(static_cast<const char*>(data), qsizetype(size)));
    }

    static void onRecordEnd(int, void* self)
    {
        auto* collector = static_cast<Collector*>(self);
        const bool allEmpty = std::all_of(collector->fields.cbegin(), collector->fields.cend(),
                                          [](const QString& field) { return field.trimmed().isEmpty(); });
        if (!allEmpty)
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

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(CsvRecords)
};

bool isBlank(QByteArrayView line)
{
    return line.trimmed().isEmpty();
}

// "Unicode 文本" is separated by tabs, CSV by commas: the header row tells.
char delimiterOf(QByteArrayView text)
{
    const qsizetype end = text.indexOf('\n');
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
        qsizetype end = text.indexOf('\n', begin);
        end = end < 0 ? text.size() : end + 1;
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
        begin = end;
    }
    if (csv_fini(parser.get(), Collector::onField, Collector::onRecordEnd, &collector) != 0)
        result.error = Text::tr("row %1: a cell opens a quote (\") that is never closed; close it, or double a quote "
                                "that is part of the text (\"\")")
                           .arg(collector.recordRow);
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
