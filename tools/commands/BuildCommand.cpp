#include "tools/commands/BuildCommand.h"

#include "tools/bankfile/SqliteBankWriter.h"
#include "tools/bankfile/OutputFiles.h"
#include "tools/commands/BuildReport.h"
#include "tools/commands/ImportCommand.h"
#include "tools/commands/NewBankOutput.h"
#include "tools/content/LearnerWarnings.h"
#include "tools/formats/jet/JetFile.h"
#include "tools/formats/json/JsonBankReader.h"
#include "tools/formats/sheet/Sheet.h"
#include "tools/formats/sheet/SheetBankReader.h"
#include "tools/formats/sheet/SheetBankWriter.h"
#include "tools/pictures/PictureConverter.h"

#include "rules/StoredPicture.h"
#include "store/RegularFile.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

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
        if (picture.stored) {
            const QSize size = StoredPicture::decode(*picture.stored).size();
            if (const auto cut = LearnerWarnings::pictureCutOff(size))
                problems_.addWarning(sourceFile_, content_.pictureOf(question.sourceLine),
                                     Text::tr("question %1: the picture %2 %3")
                                         .arg(question.no)
                                         .arg(QDir::toNativeSeparators(question.pictureFile), *cut));
            if (const auto growth = LearnerWarnings::pictureGrowth(QFileInfo(question.pictureFile).size(),
                                                                   picture.stored->size()))
                problems_.addWarning(sourceFile_, content_.pictureOf(question.sourceLine),
                                     Text::tr("question %1: the picture %2 %3")
                                         .arg(question.no)
                                         .arg(QDir::toNativeSeparators(question.pictureFile), *growth));
        }
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

// The source's problems as a teacher reads them (BuildReport): each kind
// once per column with its rows, then a summary.
void addProblems(CommandResult& result, const SourceProblems& problems)
{
    result.messages.append(BuildReport::lines(problems));
}

// The rows left out, in a workbook of their own: each row's number in the
// sheet and the reason, then the row as it was.
bool writeLeftOut(const LeftOutRows& leftOut, const QString& path, bool replace, QString& error)
{
    SheetBankWriter::Table table;
    table.name = Text::tr("left out");
    table.header = QStringList{Text::tr("row"), Text::tr("reason")} + leftOut.header;
    for (const LeftOutRow& row : leftOut.rows) {
        QList<SheetBankWriter::Cell> cells{{QString::number(row.place.number), true}, {row.reason, false}};
        for (const QString& cell : row.cells)
            cells.append({cell, false});
        table.rows.append(cells);
    }
    const std::optional<QByteArray> bytes = SheetBankWriter::xlsx({table}, error);
    return bytes && OutputFiles::write(path, *bytes, replace, error);
}

QStringList countsByReason(const LeftOutRows& leftOut)
{
    QStringList reasons;
    QHash<QString, int> counts;
    for (const LeftOutRow& row : leftOut.rows) {
        if (!counts.contains(row.reason))
            reasons.append(row.reason);
        ++counts[row.reason];
    }
    QStringList lines;
    for (const QString& reason : reasons)
        lines.append(Text::tr("%L1 left out: %2").arg(counts.value(reason)).arg(reason));
    return lines;
}

bool isJson(const QString& source)
{
    return QFileInfo(source).suffix().compare(QLatin1String("json"), Qt::CaseInsensitive) == 0;
}

} // namespace

namespace BuildCommand {

QString leftOutPath(const QString& output)
{
    const QFileInfo bank(output);
    const QString name = Text::tr("%1.left-out.xlsx").arg(bank.completeBaseName());
    return bank.path() == QLatin1String(".") ? name : QDir(bank.path()).filePath(name);
}

CommandResult run(const Options& options)
{
    const bool sheetFiles = !options.categories.isEmpty() || !options.materials.isEmpty();
    const auto sheetOnly = [] {
        return ToolError(ExitCode::usage, Text::tr("--categories and --materials go with a sheet (.xlsx, .xls, .ods, "
                                                   ".csv or .txt) only"));
    };
    if (JetFile::isJetDatabase(options.source)) {
        if (sheetFiles)
            throw sheetOnly();
        return ImportCommand::run({options.source, options.output, options.force, options.readerProgram, {}});
    }
    const bool json = isJson(options.source);
    if (sheetFiles && json)
        throw sheetOnly();
    NewBankOutput output(options.output, options.force);
    const QString leftOutFile = leftOutPath(options.output);
    if (options.skipUnshowable && RegularFile::entryExists(leftOutFile) && !options.force)
        throw ToolError(ExitCode::usage, Text::tr("%1 already exists (the rows left out of an earlier build); give "
                                                  "--force to replace it")
                                             .arg(leftOutFile));

    BankSource source = json ? JsonBankReader::read(options.source)
                             : SheetBankReader::read(options.source, options.categories, options.materials);
    CommandResult result;
    for (const QString& note : source.notes)
        result.note(note);
    const LeftOutRows& leftOut = source.leftOut;
    if (!options.skipUnshowable) {
        for (const LeftOutRow& row : leftOut.rows)
            source.problems.addError(leftOut.file, row.place, row.reason, row.value);
    }
    const auto sourceFailed = [&] {
        addProblems(result, source.problems);
        return result.failure(ExitCode::faults,
                              Text::tr("%1: no bank was written; correct the errors above and build again")
                                  .arg(options.source));
    };
    if (!leftOut.rows.isEmpty() && !options.skipUnshowable) {
        const bool others = source.problems.errors().size() > leftOut.rows.size();
        const int count = int(leftOut.rows.size());
        addProblems(result, source.problems);
        throw result.failure(
            ExitCode::faults,
            (others ? Text::tr("%1: no bank was written. %n row(s) hold questions the program cannot show: correct "
                               "the other errors above, then give --%2 to build the other questions; those rows are "
                               "then written to %3 for you to fix",
                               nullptr, count)
                    : Text::tr("%1: no bank was written. %n row(s) hold questions the program cannot show: give --%2 "
                               "to build the other questions; those rows are then written to %3 for you to fix",
                               nullptr, count))
                .arg(options.source, QLatin1String(skipOption), leftOutFile));
    }
    if (source.problems.hasErrors())
        throw sourceFailed();

    output.create(result);
    try {
        PictureReader pictures(options.source, source.content, source.problems);
        SqliteBankWriter::write(source.content, output.temporaryPath(), std::ref(pictures));
    } catch (const StoreError& error) {
        addProblems(result, source.problems);
        throw result.failure(ExitCode::faults,
                             Text::tr("%1: %2; no bank was written").arg(options.output, error.text()));
    }
    if (source.problems.hasErrors())
        throw sourceFailed();
    LearnerWarnings::checkExam(source.content, options.source, source.problems);
    for (const BankQuestion& question : source.content.questions)
        if (const auto cut = LearnerWarnings::textCutOff(question.text))
            source.problems.addWarning(options.source, source.content.placeOf(question.sourceLine), *cut,
                                       question.text);
    addProblems(result, source.problems);
    const qint64 size = QFileInfo(output.temporaryPath()).size();
    output.putInPlace(result);
    if (options.skipUnshowable && !leftOut.rows.isEmpty()) {
        QString error;
        if (!writeLeftOut(leftOut, leftOutFile, options.force, error))
            throw result.failure(ExitCode::faults, Text::tr("%1 was built, but the rows left out cannot be written: %2")
                                                       .arg(options.output, error));
        result.note(Text::tr("%n row(s) the program cannot show were left out and written to %1 with their row "
                             "numbers and reasons",
                             nullptr, int(leftOut.rows.size()))
                        .arg(leftOutFile));
        result.messages.append(countsByReason(leftOut));
    }

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
