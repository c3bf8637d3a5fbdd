#include "tools/commands/ExportCommand.h"

#include "tools/content/BankContent.h"
#include "tools/formats/json/JsonBankWriter.h"
#include "tools/ProgressBar.h"

#include "rules/BankColumns.h"
#include "tools/bankfile/OutputFiles.h"
#include "tools/formats/sheet/SheetBankWriter.h"
#include "tools/bankfile/StoredBankReader.h"

#include "store/Database.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QSet>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(ExportCommand)
};


QString pictureName(qint64 no)
{
    return QStringLiteral("pictures/%1.bmp").arg(no);
}

// The bank's rows, pictures named by question number; a number used twice
// would name two pictures alike, so it cannot be exported.
BankContent readBank(Database& db, QStringList& errors, QStringList& warnings)
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
void writePictures(Database& db, const OutputFolder& out, int total, QString& error)
{
    ProgressBar progress(Text::tr("Pictures"), total);
    Database::Rows rows(db, QStringLiteral("select [%1], %2 from %3 where %2 is not null order by rowid")
                                    .arg(Column::no, Column::bmp, TableName::subjects));
    while (error.isEmpty() && rows.next()) {
        out.write(pictureName(rows.row().columnInt64(0)), rows.row().columnBlob(1).toByteArray(), error);
        progress.advance();
    }
}

} // namespace

namespace ExportCommand {

std::optional<Format> formatNamed(const QString& name)
{
    static const std::pair<QLatin1String, Format> formats[] = {
        {QLatin1String("json"), Format::Json},
        {QLatin1String("csv"), Format::Csv},
        {QLatin1String("xlsx"), Format::Xlsx},
    };
    for (const auto& [formatName, format] : formats)
        if (name.compare(formatName, Qt::CaseInsensitive) == 0)
            return format;
    return std::nullopt;
}

CommandResult run(const Options& options)
{
    CommandResult result;
    const auto failed = [&result](int exitCode, const QStringList& errors) {
        for (const QString& error : errors)
            result.error(error);
        return result.failure(exitCode);
    };
    const OutputFolder out(options.outDir, options.force);
    try {
        Database db(options.bank, Database::Mode::Unchanged, options.limits);
        QStringList errors;
        QStringList warnings;
        const BankContent content = readBank(db, errors, warnings);
        for (const QString& warning : warnings)
            result.warning(warning);
        if (options.format != Format::Json)
            errors += SheetBankWriter::uncarried(content, options.format == Format::Xlsx
                                                              ? SheetBankWriter::Kind::Xlsx
                                                              : SheetBankWriter::Kind::Csv);
        if (!errors.isEmpty()) {
            if (options.format != Format::Json)
                errors.append(Text::tr("a sheet cannot carry these values; export the bank as JSON "
                                       "(--format json), which carries every stored value"));
            throw failed(ExitCode::faults, errors);
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
            QStringList refusals;
            for (const QString& path : existing)
                refusals.append(Text::tr("%1 already exists; give --force to replace it").arg(path));
            throw failed(ExitCode::usage, refusals);
        }

        if (error.isEmpty())
            out.make(QStringLiteral("pictures"), error);
        if (error.isEmpty())
            writePictures(db, out, int(pictures), error);
        for (const auto& file : files)
            if (error.isEmpty())
                out.write(file.first, file.second, error);
        if (!error.isEmpty())
            throw failed(ExitCode::faults, {error});
        result.report = Text::tr("%1: %2 categories, %3 questions (%4 with pictures), %5 materials")
                            .arg(out.filePath(files.last().first))
                            .arg(content.categories.size())
                            .arg(content.questions.size())
                            .arg(pictures)
                            .arg(content.materials.size())
                        + QLatin1Char('\n');
    } catch (const StoreError& error) {
        throw failed(ExitCode::faults,
                     {Text::tr("%1: %2 (run \"check\" for the full picture)").arg(options.bank, error.text())});
    }
    return result;
}

} // namespace ExportCommand
