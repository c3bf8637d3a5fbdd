#include "tools/commands/ExportCommand.h"

#include "tools/console/ProgressBar.h"
#include "tools/bankfile/BankToRead.h"
#include "tools/bankfile/NewExport.h"
#include "tools/bankfile/OutputFiles.h"
#include "tools/bankfile/StoredBankReader.h"
#include "tools/content/BankContent.h"
#include "tools/formats/json/JsonBankWriter.h"
#include "tools/formats/sheet/SheetBankWriter.h"

#include "rules/BankColumns.h"
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
void writePictures(Database& db, const NewExport& out, int total, QString& error)
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
    NewExport out(options.outDir, options.force);
    try {
        const BankToRead file(options.bank);
        if (file.recovered())
            result.warning(file.recoveryNote(options.bank));
        Database db(file.path(), Database::Mode::Unchanged, options.limits);
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

        // The files in the order they are put in place, the bank's own last:
        // it is what names the pictures.
        QStringList outputs;
        for (const BankQuestion& question : content.questions)
            if (question.picture)
                outputs.append(question.pictureFile);
        const qsizetype pictures = outputs.size();
        const QStringList bankFiles = options.format == Format::Json ? QStringList{QStringLiteral("bank.json")}
                                    : options.format == Format::Csv
                                        ? QStringList{QStringLiteral("materials.csv"), QStringLiteral("categories.csv"),
                                                      QStringLiteral("bank.csv")}
                                        : QStringList{QStringLiteral("bank.xlsx")};
        outputs += bankFiles;
        const QStringList existing = options.force ? QStringList() : out.existing(outputs);
        if (!existing.isEmpty()) {
            QStringList refusals;
            for (const QString& path : existing)
                refusals.append(Text::tr("%1 already exists; give --force to replace it").arg(path));
            throw failed(ExitCode::usage, refusals);
        }
        for (const QString& output : outputs)
            if (!OutputFiles::aliasedInput(out.targetPath(output), {options.bank}).isEmpty())
                throw failed(ExitCode::usage, {Text::tr("%1 is the bank %2 being exported; export into another folder")
                                                   .arg(out.targetPath(output), options.bank)});

        QString error;
        out.create(error);
        for (const QString& stale : out.removedStaleFolders())
            result.note(Text::tr("removed %1, left by an earlier export that was stopped").arg(stale));
        if (error.isEmpty())
            writePictures(db, out, int(pictures), error);
        if (error.isEmpty() && options.format == Format::Json) {
            out.write(bankFiles[0], JsonBankWriter::write(content), error);
        } else if (error.isEmpty()) {
            const QList<SheetBankWriter::Table> tables = SheetBankWriter::tables(content);
            if (options.format == Format::Csv) {
                for (int i = 0; i < 3 && error.isEmpty(); ++i)
                    out.write(bankFiles[i], SheetBankWriter::csv(tables[2 - i]), error);
            } else {
                SheetBankWriter::xlsx(tables, out.scratchPath(bankFiles[0]), error);
            }
        }
        if (error.isEmpty())
            out.putInPlace(outputs, error);
        if (!error.isEmpty())
            throw failed(ExitCode::faults, {error, Text::tr("%1: nothing was changed").arg(options.outDir)});
        result.report = Text::tr("%1: %2 categories, %3 questions (%4 with pictures), %5 materials")
                            .arg(out.targetPath(bankFiles.last()))
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
