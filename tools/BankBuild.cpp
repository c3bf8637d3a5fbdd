#include "tools/BankBuild.h"

#include "tools/BankWriter.h"
#include "tools/CsvBankReader.h"
#include "tools/JsonBankReader.h"
#include "tools/NewBankFile.h"
#include "tools/PictureConverter.h"

#include "store/RegularFile.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFileInfo>

namespace {

BankBuild::Result failed(int exitCode, const QString& message)
{
    BankBuild::Result result;
    result.exitCode = exitCode;
    result.message = message;
    return result;
}

// Reads the questions' pictures as their rows are written, noting each
// picture that cannot be used; the bank is then thrown away, but every bad
// picture has been reported.
class PictureReader
{
public:
    PictureReader(const QString& sourceFile, SourceProblems& problems)
        : sourceFile_(sourceFile), problems_(problems)
    {
    }

    std::optional<QByteArray> operator()(const BankQuestion& question)
    {
        if (question.pictureFile.isEmpty())
            return std::nullopt;
        const PictureConverter::Result picture = PictureConverter::storedPicture(question.pictureFile);
        if (!picture.stored)
            problems_.addError(sourceFile_, question.sourceLine,
                               QStringLiteral("question %1: picture %2: %3")
                                   .arg(question.no)
                                   .arg(QDir::toNativeSeparators(question.pictureFile), picture.error));
        return picture.stored;
    }

private:
    QString sourceFile_;
    SourceProblems& problems_;
};

} // namespace

namespace BankBuild {

Result run(const Options& options)
{
    const QString suffix = QFileInfo(options.source).suffix().toLower();
    if (suffix != QLatin1String("json") && suffix != QLatin1String("csv"))
        return failed(2, QStringLiteral("%1: the source must be a .json or a .csv file").arg(options.source));
    if (!options.categories.isEmpty() && suffix != QLatin1String("csv"))
        return failed(2, QStringLiteral("--categories goes with a .csv source only"));
    if (RegularFile::entryExists(options.output) && !options.force)
        return failed(2, QStringLiteral("%1 already exists; give --force to replace it").arg(options.output));

    BankSource source = suffix == QLatin1String("json") ? JsonBankReader::read(options.source)
                                                        : CsvBankReader::read(options.source, options.categories);
    Result result;
    const auto sourceFailed = [&] {
        result.problems = source.problems;
        result.exitCode = 1;
        result.message = QStringLiteral("%1: no bank was written").arg(options.source);
        return result;
    };
    if (source.problems.hasErrors())
        return sourceFailed();

    NewBankFile bank(options.output);
    const bool created = bank.create();
    for (const QString& stale : bank.removedStaleFiles())
        result.notes.append(QStringLiteral("removed %1, left by an earlier run that was stopped").arg(stale));
    const auto writeFailed = [&](const QString& message) {
        result.problems = source.problems;
        result.exitCode = 1;
        result.message = message;
        return result;
    };
    if (!created)
        return writeFailed(QStringLiteral("%1: cannot write in this folder: %2").arg(options.output, bank.errorString()));
    try {
        PictureReader pictures(options.source, source.problems);
        BankWriter::write(source.content, bank.temporaryPath(), std::ref(pictures));
    } catch (const StoreError& error) {
        return writeFailed(QStringLiteral("%1: %2; no bank was written").arg(options.output, error.text()));
    }
    if (source.problems.hasErrors())
        return sourceFailed();
    result.problems = source.problems;
    if (!bank.putInPlace(options.force)) {
        result.exitCode = RegularFile::entryExists(options.output) && !options.force ? 2 : 1;
        result.message = QStringLiteral("%1 cannot be put in place: %2").arg(options.output, bank.errorString());
    }
    return result;
}

} // namespace BankBuild
