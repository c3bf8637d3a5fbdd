#include "tools/commands/BuildCommand.h"

#include "tools/bankfile/SqliteBankWriter.h"
#include "tools/commands/ImportCommand.h"
#include "tools/commands/NewBankOutput.h"
#include "tools/formats/jet/JetFile.h"
#include "tools/formats/json/JsonBankReader.h"
#include "tools/bankfile/OutputFiles.h"
#include "tools/formats/sheet/Sheet.h"
#include "tools/formats/sheet/SheetBankReader.h"
#include "tools/pictures/PictureConverter.h"

#include "store/RegularFile.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(BuildCommand)
};

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
    PictureReader(const BuildCommand::Options& options, const BankContent& content, SourceProblems& problems)
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

    const BuildCommand::Options& options_;
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

void addErrors(CommandResult& result, const SourceProblems& problems)
{
    for (const SourceProblem& error : problems.errors())
        result.error(error.toString());
    if (problems.errorsLeftOut() > 0)
        result.error(Text::tr("%L1 more errors, not listed").arg(problems.errorsLeftOut()));
}

bool isJson(const QString& source)
{
    return QFileInfo(source).suffix().compare(QLatin1String("json"), Qt::CaseInsensitive) == 0;
}

} // namespace

namespace BuildCommand {

CommandResult run(const Options& options)
{
    const bool sheetFiles = !options.categories.isEmpty() || !options.materials.isEmpty();
    const auto sheetOnly = [] {
        return ToolError(ExitCode::usage,
                         Text::tr("--categories and --materials go with a sheet (.xlsx, .csv or .txt) only"));
    };
    if (JetFile::isJetDatabase(options.source)) {
        if (sheetFiles)
            throw sheetOnly();
        return ImportCommand::run({options.source, options.output, options.force, options.readerProgram, {}});
    }
    const bool json = isJson(options.source);
    if (!json && !SheetFiles::isSheet(options.source))
        throw ToolError(ExitCode::usage, Text::tr("%1: the source must be a .json file, a sheet saved as .xlsx, "
                                                  ".csv or .txt, or an Access .mdb file")
                                             .arg(options.source));
    if (sheetFiles && json)
        throw sheetOnly();
    NewBankOutput output(options.output, options.force, {options.source, options.categories, options.materials});

    BankSource source = json ? JsonBankReader::read(options.source)
                             : SheetBankReader::read(options.source, options.categories, options.materials);
    CommandResult result;
    for (const QString& note : source.notes)
        result.note(note);
    for (const SourceProblem& warning : source.problems.warnings())
        result.warning(warning.toString());
    if (source.problems.warningsLeftOut() > 0)
        result.warning(Text::tr("%L1 more warnings, not listed").arg(source.problems.warningsLeftOut()));
    const auto sourceFailed = [&] {
        addErrors(result, source.problems);
        return result.failure(ExitCode::faults,
                              Text::tr("%1: no bank was written; correct the errors above and build again")
                                  .arg(options.source));
    };
    if (source.problems.hasErrors())
        throw sourceFailed();

    // A source that is small on disk may still hold a large bank (a long
    // text used in many cells): a bank the disk cannot hold is refused
    // before a byte of it is written.
    const qint64 least = leastBankBytes(source.content);
    const auto free = OutputFiles::freeBytes(QFileInfo(options.output).absolutePath());
    if (free && least > *free)
        throw result.failure(ExitCode::faults,
                             Text::tr("%1: the bank would take at least %2, and the disk has %3 free; no bank was "
                                      "written")
                                 .arg(options.output, RegularFile::sizeText(least), RegularFile::sizeText(*free)));

    output.create(result);
    try {
        PictureReader pictures(options, source.content, source.problems);
        SqliteBankWriter::write(source.content, output.temporaryPath(), std::ref(pictures));
    } catch (const StoreError& error) {
        addErrors(result, source.problems);
        throw result.failure(ExitCode::faults,
                             Text::tr("%1: %2; no bank was written").arg(options.output, error.text()));
    }
    if (source.problems.hasErrors())
        throw sourceFailed();
    const qint64 size = QFileInfo(output.temporaryPath()).size();
    output.putInPlace(result);

    const auto withPicture = std::count_if(source.content.questions.cbegin(), source.content.questions.cend(),
                                           [](const BankQuestion& question) { return !question.pictureFile.isEmpty(); });
    result.report = Text::tr("%1: %2 categories, %3 questions (%4 with pictures), %5 materials; %6")
                        .arg(options.output)
                        .arg(source.content.categories.size())
                        .arg(source.content.questions.size())
                        .arg(withPicture)
                        .arg(source.content.materials.size())
                        .arg(sizeText(size))
                    + QLatin1Char('\n');
    return result;
}

} // namespace BuildCommand
