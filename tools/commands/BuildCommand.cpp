#include "tools/commands/BuildCommand.h"

#include "tools/bankfile/SqliteBankWriter.h"
#include "tools/bankfile/OutputFiles.h"
#include "tools/commands/BuildReport.h"
#include "tools/commands/ImportCommand.h"
#include "tools/commands/NewBankOutput.h"
#include "tools/content/LearnerWarnings.h"
#include "tools/formats/jet/JetFile.h"
#include "tools/formats/json/JsonBankReader.h"
#include "tools/bankfile/SystemFiles.h"
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
        if (picture.stored)
            warnAboutWhatLearnersMiss(question, *picture.stored);
        return picture.stored;
    }

private:
    void refuse(const BankQuestion& question, const QString& reason)
    {
        problems_.addError(options_.source, content_.pictureOf(question.sourceLine), reason);
    }

    // A picture the learner sees cut off, or one stored far larger than
    // its file.
    void warnAboutWhatLearnersMiss(const BankQuestion& question, const QByteArray& stored)
    {
        const QString shown = QDir::toNativeSeparators(question.pictureFile);
        const auto warn = [&](const QString& reason) {
            problems_.addWarning(options_.source, content_.pictureOf(question.sourceLine),
                                 Text::tr("question %1: the picture %2 %3").arg(question.no).arg(shown, reason));
        };
        if (const auto cut = LearnerWarnings::pictureCutOff(StoredPicture::decode(stored).size()))
            warn(*cut);
        if (const auto growth = LearnerWarnings::pictureGrowth(QFileInfo(question.pictureFile).size(), stored.size()))
            warn(*growth);
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
    return SheetBankWriter::xlsxInPlace({table}, path, replace, error);
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
    NewBankOutput output(options.output, options.force, {options.source, options.categories, options.materials});
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

    // A source that is small on disk may still hold a large bank (a long
    // text used in many cells): a bank the disk cannot hold is refused
    // before a byte of it is written.
    const qint64 least = leastBankBytes(source.content);
    const auto free = SystemFiles::freeBytes(QFileInfo(options.output).absolutePath());
    if (free && least > *free)
        throw result.failure(ExitCode::faults,
                             Text::tr("%1: the bank would take at least %2, and the disk has %3 free; no bank was "
                                      "written")
                                 .arg(options.output, RegularFile::sizeText(least), RegularFile::sizeText(*free)));

    try {
        output.create(result);
    } catch (const ToolError& stop) {
        // The source's problems come before why the build stopped, as they
        // would in a finished report.
        addProblems(result, source.problems);
        throw result.failure(stop.exitCode(), stop.lines().constLast());
    }
    try {
        PictureReader pictures(options, source.content, source.problems);
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
