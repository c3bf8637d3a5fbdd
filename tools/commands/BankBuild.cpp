#include "tools/commands/BankBuild.h"

#include "tools/bankfile/BankWriter.h"
#include "tools/formats/json/JsonBankReader.h"
#include "tools/bankfile/NewBankFile.h"
#include "tools/bankfile/OutputFiles.h"
#include "tools/pictures/PictureConverter.h"
#include "tools/formats/sheet/Sheet.h"
#include "tools/formats/sheet/SheetBankReader.h"

#include "store/RegularFile.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(BankBuild)
};

BankBuild::Result failed(int exitCode, const QString& message)
{
    BankBuild::Result result;
    result.exitCode = exitCode;
    result.message = message;
    return result;
}

// Whether `path` is in `folder` or below it, reached through no link that
// leads out of it: its real path (every link resolved) lies in the folder's
// real path. A path that leads to no regular file (a device, a pipe) is
// left to the reading, which refuses it as such.
bool isInside(const QString& path, const QString& folder)
{
    const QFileInfo real(QFileInfo(path).canonicalFilePath());
    const QString realFolder = QFileInfo(folder).canonicalFilePath();
    return !real.isFile() || (!realFolder.isEmpty() && real.filePath().startsWith(realFolder + QLatin1Char('/')));
}

// Reads the questions' pictures as their rows are written, noting each
// picture that cannot be used; the bank is then thrown away, but every bad
// picture has been reported. A source may come from someone else: unless
// told otherwise, its pictures must come from its own folder or below, so
// that it cannot copy the builder's other files into a bank that is then
// handed on.
class PictureReader
{
public:
    PictureReader(const BankBuild::Options& options, const BankContent& content, SourceProblems& problems)
        : options_(options)
        , sourceFolder_(QFileInfo(options.source).absolutePath())
        , content_(content)
        , problems_(problems)
    {
    }

    std::optional<QByteArray> operator()(const BankQuestion& question)
    {
        if (question.pictureFile.isEmpty())
            return std::nullopt;
        const QString shown = QDir::toNativeSeparators(question.pictureFile);
        if (!options_.picturesFromAnywhere && !isInside(question.pictureFile, sourceFolder_)) {
            refuse(question, Text::tr("question %1: the picture %2 is outside the source's folder %3 (or reached "
                                      "through a link that leads out of it); put it in that folder, or give "
                                      "--pictures-from-anywhere if you trust the source")
                                 .arg(question.no)
                                 .arg(shown, QDir::toNativeSeparators(sourceFolder_)));
            return std::nullopt;
        }
        if (!OutputFiles::aliasedInput(options_.output, {question.pictureFile}).isEmpty()) {
            refuse(question, Text::tr("question %1: the picture %2 is the output %3 itself")
                                 .arg(question.no)
                                 .arg(shown, options_.output));
            return std::nullopt;
        }
        const PictureConverter::Result picture = PictureConverter::storedPicture(question.pictureFile);
        if (!picture.stored)
            refuse(question, Text::tr("question %1: the picture %2 %3").arg(question.no).arg(shown, picture.error));
        return picture.stored;
    }

private:
    void refuse(const BankQuestion& question, const QString& reason)
    {
        problems_.addError(options_.source, content_.pictureOf(question.sourceLine), reason);
    }

    const BankBuild::Options& options_;
    QString sourceFolder_;
    const BankContent& content_;
    SourceProblems& problems_;
};

// The least the bank will take: its texts, and its pictures as their files
// hold them (a stored picture is seldom smaller).
qint64 leastBankBytes(const BankContent& content)
{
    qint64 bytes = 0;
    for (const BankCategory& category : content.categories)
        bytes += category.title.size();
    for (const BankQuestion& question : content.questions) {
        bytes += question.text.size();
        if (!question.pictureFile.isEmpty())
            bytes += QFileInfo(question.pictureFile).size();
    }
    for (const BankMaterial& material : content.materials)
        bytes += material.title.size() + material.text.size();
    return bytes;
}

QString sizeText(qint64 bytes)
{
    return Text::tr("%L1 bytes (%2)").arg(bytes).arg(RegularFile::sizeText(bytes));
}

} // namespace

namespace BankBuild {

Result run(const Options& options)
{
    const bool json = QFileInfo(options.source).suffix().compare(QLatin1String("json"), Qt::CaseInsensitive) == 0;
    if (!json && !SheetFiles::isSheet(options.source))
        return failed(2, Text::tr("%1: the source must be a .json file, a sheet saved as .xlsx, .csv or .txt, or "
                                  "an Access .mdb file")
                             .arg(options.source));
    if ((!options.categories.isEmpty() || !options.materials.isEmpty()) && json)
        return failed(2, Text::tr("--categories and --materials go with a sheet (.xlsx, .csv or .txt) only"));
    if (RegularFile::entryExists(options.output) && !options.force)
        return failed(2, Text::tr("%1 already exists; give --force to replace it").arg(options.output));
    const QString aliased =
        OutputFiles::aliasedInput(options.output, {options.source, options.categories, options.materials});
    if (!aliased.isEmpty())
        return failed(2, Text::tr("%1 is the file %2 that the bank is built from; write the bank to another file")
                             .arg(options.output, aliased));

    BankSource source = json ? JsonBankReader::read(options.source)
                             : SheetBankReader::read(options.source, options.categories, options.materials);
    Result result;
    result.notes = source.notes;
    const auto sourceFailed = [&] {
        result.problems = source.problems;
        result.exitCode = 1;
        result.message = Text::tr("%1: no bank was written; correct the errors above and build again")
                             .arg(options.source);
        return result;
    };
    if (source.problems.hasErrors())
        return sourceFailed();

    // A source that is small on disk may still hold a large bank (a long
    // text used in many cells): a bank the disk cannot hold is refused
    // before a byte of it is written.
    const qint64 least = leastBankBytes(source.content);
    const auto free = OutputFiles::freeBytes(QFileInfo(options.output).absolutePath());
    if (free && least > *free)
        return failed(1, Text::tr("%1: the bank would take at least %2, and the disk has %3 free; no bank was written")
                             .arg(options.output, RegularFile::sizeText(least), RegularFile::sizeText(*free)));

    NewBankFile bank(options.output);
    const bool created = bank.create();
    for (const QString& stale : bank.removedStaleFiles())
        result.notes.append(Text::tr("removed %1, left by an earlier run that was stopped").arg(stale));
    const auto writeFailed = [&](const QString& message) {
        result.problems = source.problems;
        result.exitCode = 1;
        result.message = message;
        return result;
    };
    if (!created)
        return writeFailed(Text::tr("%1: cannot write in this folder: %2").arg(options.output, bank.errorString()));
    try {
        PictureReader pictures(options, source.content, source.problems);
        BankWriter::write(source.content, bank.temporaryPath(), std::ref(pictures));
    } catch (const StoreError& error) {
        return writeFailed(Text::tr("%1: %2; no bank was written").arg(options.output, error.text()));
    }
    if (source.problems.hasErrors())
        return sourceFailed();
    result.problems = source.problems;
    const qint64 size = QFileInfo(bank.temporaryPath()).size();
    if (!bank.putInPlace(options.force)) {
        result.exitCode = RegularFile::entryExists(options.output) && !options.force ? 2 : 1;
        result.message = Text::tr("%1 cannot be put in place: %2").arg(options.output, bank.errorString());
        return result;
    }
    for (const QString& journal : bank.removedJournals())
        result.notes.append(Text::tr("removed %1, left beside the bank it replaces by a program that stopped while "
                                     "writing it").arg(journal));
    const auto withPicture = std::count_if(source.content.questions.cbegin(), source.content.questions.cend(),
                                           [](const BankQuestion& question) { return !question.pictureFile.isEmpty(); });
    result.report = Text::tr("%1: %2 categories, %3 questions (%4 with pictures), %5 materials; %6")
                        .arg(options.output)
                        .arg(source.content.categories.size())
                        .arg(source.content.questions.size())
                        .arg(withPicture)
                        .arg(source.content.materials.size())
                        .arg(sizeText(size));
    return result;
}

} // namespace BankBuild
