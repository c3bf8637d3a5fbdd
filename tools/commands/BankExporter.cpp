#include "tools/commands/BankExporter.h"

#include "tools/content/BankContent.h"
#include "tools/formats/json/JsonBankWriter.h"
#include "tools/commands/ProgressBar.h"

#include "tools/bankfile/OutputFiles.h"
#include "tools/formats/sheet/SheetBankWriter.h"
#include "tools/bankfile/StoredBankReader.h"

#include "store/ReadOnlyBank.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QSet>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(BankExporter)
};


QString pictureName(qint64 no)
{
    return QStringLiteral("pictures/%1.bmp").arg(no);
}

// The bank's rows, pictures named by question number; a number used twice
// would name two pictures alike, so it cannot be exported.
BankContent readBank(ReadOnlyBank& db, QStringList& errors, QStringList& warnings)
{
    StoredBankReader::Result read = StoredBankReader::read(db);
    errors += read.errors;
    warnings += read.warnings;
    QSet<qint64> numbers;
    for (BankQuestion& question : read.content.questions) {
        question.pictureFile = pictureName(question.no);
        if (numbers.contains(question.no))
            errors.append(Text::tr("Subjects: question number %1 is used more than once").arg(question.no));
        numbers.insert(question.no);
    }
    return read.content;
}

// Writes every stored picture to its file, reading one row at a time.
void writePictures(ReadOnlyBank& db, const OutputFolder& out, int total, QString& error)
{
    ProgressBar progress(Text::tr("Pictures"), total);
    ReadOnlyBank::Rows rows(db, QStringLiteral("select [no], bmp from Subjects where bmp is not null order by rowid"));
    while (error.isEmpty() && rows.next()) {
        out.write(pictureName(rows.row().columnInt64(0)), rows.row().columnBlob(1).toByteArray(), error);
        progress.advance();
    }
}

} // namespace

namespace BankExporter {

std::optional<Format> formatNamed(const QString& name)
{
    const QString lower = name.toLower();
    if (lower == QLatin1String("json"))
        return Format::Json;
    if (lower == QLatin1String("csv"))
        return Format::Csv;
    if (lower == QLatin1String("xlsx"))
        return Format::Xlsx;
    return std::nullopt;
}

Result run(const QString& bankPath, const QString& outDir, bool force)
{
    return run(Options{bankPath, outDir, force, {}, Format::Json});
}

Result run(const Options& options)
{
    Result result;
    const OutputFolder out(options.outDir, options.force);
    try {
        ReadOnlyBank db(options.bank, options.limits);
        const BankContent content = readBank(db, result.errors, result.warnings);
        if (options.format != Format::Json)
            result.errors += SheetBankWriter::uncarried(content, options.format == Format::Xlsx
                                                                     ? SheetBankWriter::Kind::Xlsx
                                                                     : SheetBankWriter::Kind::Csv);
        if (!result.errors.isEmpty()) {
            if (options.format != Format::Json)
                result.errors.append(Text::tr("a sheet cannot carry these values; export the bank as JSON "
                                              "(--format json), which carries every stored value"));
            result.exitCode = 1;
            return result;
        }

        // The files, the bank's own written last: it is what names the
        // pictures.
        QList<std::pair<QString, QByteArray>> files;
        QString error;
        if (options.format == Format::Json) {
            files.append({QStringLiteral("bank.json"), JsonBankWriter::write(content)});
        } else {
            const QList<SheetBankWriter::Table> tables = SheetBankWriter::tables(content);
            if (options.format == Format::Csv) {
                files.append({QStringLiteral("materials.csv"), SheetBankWriter::csv(tables[2])});
                files.append({QStringLiteral("categories.csv"), SheetBankWriter::csv(tables[1])});
                files.append({QStringLiteral("bank.csv"), SheetBankWriter::csv(tables[0])});
            } else if (const auto workbook = SheetBankWriter::xlsx(tables, error)) {
                files.append({QStringLiteral("bank.xlsx"), *workbook});
            }
        }

        QStringList outputs;
        for (const BankQuestion& question : content.questions)
            if (question.picture)
                outputs.append(question.pictureFile);
        const qsizetype pictures = outputs.size();
        for (const auto& file : files)
            outputs.append(file.first);
        const QStringList existing = options.force ? QStringList() : out.existing(outputs);
        if (!existing.isEmpty()) {
            result.exitCode = 2;
            for (const QString& path : existing)
                result.errors.append(Text::tr("%1 already exists; give --force to replace it").arg(path));
            return result;
        }

        if (error.isEmpty())
            out.make(QStringLiteral("pictures"), error);
        if (error.isEmpty())
            writePictures(db, out, int(pictures), error);
        for (const auto& file : files)
            if (error.isEmpty())
                out.write(file.first, file.second, error);
        if (!error.isEmpty()) {
            result.exitCode = 1;
            result.errors.append(error);
            return result;
        }
        result.summary = Text::tr("%1: %2 categories, %3 questions (%4 with pictures), %5 materials")
                             .arg(out.filePath(files.last().first))
                             .arg(content.categories.size())
                             .arg(content.questions.size())
                             .arg(pictures)
                             .arg(content.materials.size());
    } catch (const StoreError& error) {
        result.exitCode = 1;
        result.errors.append(
            Text::tr("%1: %2 (run \"check\" for the full picture)").arg(options.bank, error.text()));
    }
    return result;
}

} // namespace BankExporter
