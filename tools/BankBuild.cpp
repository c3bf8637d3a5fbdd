#include "tools/BankBuild.h"

#include "tools/BankWriter.h"
#include "tools/CsvBankReader.h"
#include "tools/JsonBankReader.h"
#include "tools/PictureConverter.h"

#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <sys/stat.h>

#include <cstdio>

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

// A new file gets the permissions the user's umask gives, not the private
// ones of a temporary file.
void giveUsualPermissions(const QString& path)
{
    const mode_t mask = umask(0);
    umask(mask);
    chmod(QFile::encodeName(path).constData(), 0666 & ~mask);
}

// Moves the finished bank into place: atomically replacing an existing file
// when forced, refusing to touch one otherwise.
bool moveIntoPlace(const QString& temporary, const QString& output, bool force)
{
    if (force)
        return std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(output).constData()) == 0;
    return QFile::rename(temporary, output);
}

} // namespace

namespace BankBuild {

Result run(const Options& options)
{
    const QString suffix = QFileInfo(options.source).suffix().toLower();
    if (suffix != QLatin1String("json") && suffix != QLatin1String("csv"))
        return failed(2, QStringLiteral("%1: the source must be a .json or a .csv file").arg(options.source));
    if (!options.categories.isEmpty() && suffix != QLatin1String("csv"))
        return failed(2, QStringLiteral("--categories goes with a .csv source only"));
    if (QFileInfo::exists(options.output) && !options.force)
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

    const QFileInfo output(options.output);
    QTemporaryFile temporary(output.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX.tmp").arg(output.fileName())));
    if (!temporary.open())
        return failed(1, QStringLiteral("%1: cannot write in this folder: %2")
                             .arg(options.output, temporary.errorString()));
    temporary.close();
    try {
        PictureReader pictures(options.source, source.problems);
        BankWriter::write(source.content, temporary.fileName(), std::ref(pictures));
    } catch (const StoreError& error) {
        return failed(1, QStringLiteral("%1: %2").arg(options.output, error.text()));
    }
    if (source.problems.hasErrors())
        return sourceFailed();
    result.problems = source.problems;
    giveUsualPermissions(temporary.fileName());
    if (!moveIntoPlace(temporary.fileName(), output.absoluteFilePath(), options.force))
        return failed(options.force ? 1 : 2, QStringLiteral("%1 cannot be put in place%2")
                                                 .arg(options.output,
                                                      options.force ? QString() : QStringLiteral(" (does it exist?)")));
    temporary.setAutoRemove(false);
    return result;
}

} // namespace BankBuild
