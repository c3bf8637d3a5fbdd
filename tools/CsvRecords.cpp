#include "tools/CsvRecords.h"

#include "tools/InputLimits.h"

#include "store/RegularFile.h"

#include <QStringDecoder>

#include <csv.h>

#include <algorithm>
#include <memory>

namespace {

// What libcsv's callbacks add to, one record at a time.
struct Collector
{
    CsvFile* file = nullptr;
    int recordLine = 0;
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
            collector->file->records.append({collector->recordLine, collector->fields});
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

} // namespace

namespace CsvRecords {

CsvFile parse(const QByteArray& bytes)
{
    CsvFile result;
    QByteArrayView text(bytes);
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);

    // Spreadsheets often save in the local code page (GBK): say so rather
    // than building a bank of garbled text.
    QStringDecoder utf8(QStringDecoder::Utf8);
    // Decoding runs when the result is converted: keep it to make it run.
    const QString decoded = utf8.decode(text);
    if (utf8.hasError()) {
        result.error = QStringLiteral("the file is not UTF-8 text; save it as \"CSV UTF-8\"");
        return result;
    }

    std::unique_ptr<csv_parser, ParserDeleter> parser(new csv_parser);
    if (csv_init(parser.get(), CSV_STRICT | CSV_STRICT_FINI | CSV_APPEND_NULL) != 0) {
        result.error = QStringLiteral("out of memory");
        return result;
    }

    // libcsv tells when a record ends but not where; feeding it one line at
    // a time tells which line that is. A record starts on the first line
    // that is not blank after the previous record ended.
    Collector collector;
    collector.file = &result;
    int line = 0;
    qsizetype begin = 0;
    while (begin < text.size()) {
        qsizetype end = text.indexOf('\n', begin);
        end = end < 0 ? text.size() : end + 1;
        const QByteArrayView chunk = text.sliced(begin, end - begin);
        ++line;
        if (collector.betweenRecords && !isBlank(chunk)) {
            collector.recordLine = line;
            collector.betweenRecords = false;
        }
        if (csv_parse(parser.get(), chunk.data(), size_t(chunk.size()), Collector::onField, Collector::onRecordEnd,
                      &collector)
            != size_t(chunk.size())) {
            result.error = QStringLiteral("line %1: %2").arg(line).arg(csv_strerror(csv_error(parser.get())));
            return result;
        }
        begin = end;
    }
    if (csv_fini(parser.get(), Collector::onField, Collector::onRecordEnd, &collector) != 0)
        result.error = QStringLiteral("line %1: a quoted field is not closed").arg(collector.recordLine);
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
