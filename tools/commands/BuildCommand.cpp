#include "tools/commands/BuildCommand.h"

#include "tools/bankfile/SqliteBankWriter.h"
#include "tools/commands/ImportCommand.h"
#include "tools/commands/NewBankOutput.h"
#include "tools/formats/jet/JetFile.h"
#include "tools/formats/json/JsonBankReader.h"
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

// Reads the questions' pictures as their rows are written, noting each
// picture that cannot be used; the bank is then thrown away, but every bad
// picture has been reported.
class PictureReader
{
public:
    PictureReader(const QString& sourceFile, const BankContent& content, SourceProblems& problems)
        : sourceFile_(sourceFile), content_(content), problems_(problems)
    {
    }

    std::optional<QByteArray> operator()(const BankQuestion& question)
    {
        if (question.pictureFile.isEmpty())
            return std::nullopt;
        const PictureConverter::Result picture = PictureConverter::storedPicture(question.pictureFile);
        if (!picture.stored)
            problems_.addError(sourceFile_, content_.pictureOf(question.sourceLine),
                               Text::tr("question %1: the picture %2 %3")
                                   .arg(question.no)
                                   .arg(QDir::toNativeSeparators(question.pictureFile), picture.error));
        return picture.stored;
    }

private:
    QString sourceFile_;
    const BankContent& content_;
    SourceProblems& problems_;
};

QString sizeText(qint64 bytes)
{
    return Text::tr("%L1 bytes (%2)").arg(bytes).arg(RegularFile::sizeText(bytes));
}

void addErrors(CommandResult& result, const SourceProblems& problems)
{
    for (const SourceProblem& error : problems.errors())
        result.error(error.toString());
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
    NewBankOutput output(options.output, options.force);

    BankSource source = json ? JsonBankReader::read(options.source)
                             : SheetBankReader::read(options.source, options.categories, options.materials);
    CommandResult result;
    for (const QString& note : source.notes)
        result.note(note);
    for (const SourceProblem& warning : source.problems.warnings())
        result.warning(warning.toString());
    const auto sourceFailed = [&] {
        addErrors(result, source.problems);
        return result.failure(ExitCode::faults,
                              Text::tr("%1: no bank was written; correct the errors above and build again")
                                  .arg(options.source));
    };
    if (source.problems.hasErrors())
        throw sourceFailed();

    output.create(result);
    try {
        PictureReader pictures(options.source, source.content, source.problems);
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
