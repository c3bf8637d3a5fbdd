#include "tools/commands/BankBuild.h"

#include "tools/bankfile/BankWriter.h"
#include "tools/formats/json/JsonBankReader.h"
#include "tools/bankfile/NewBankFile.h"
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
        PictureReader pictures(options.source, source.content, source.problems);
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
