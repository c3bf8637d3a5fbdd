#include "tools/commands/BankBuild.h"

#include "tools/bankfile/BankWriter.h"
#include "tools/formats/json/JsonBankReader.h"
#include "tools/bankfile/NewBankFile.h"
#include "tools/pictures/PictureConverter.h"
#include "tools/formats/sheet/Sheet.h"
#include "tools/formats/sheet/SheetBankReader.h"
#include "tools/formats/sheet/SheetBankWriter.h"
#include "tools/bankfile/OutputFiles.h"
#include "tools/content/LearnerWarnings.h"

#include "store/RegularFile.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

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
        if (picture.stored) {
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

} // namespace

namespace BankBuild {

QString leftOutPath(const QString& output)
{
    const QFileInfo bank(output);
    const QString name = Text::tr("%1.left-out.xlsx").arg(bank.completeBaseName());
    return bank.path() == QLatin1String(".") ? name : QDir(bank.path()).filePath(name);
}

Result run(const Options& options)
{
    const bool json = QFileInfo(options.source).suffix().compare(QLatin1String("json"), Qt::CaseInsensitive) == 0;
    if ((!options.categories.isEmpty() || !options.materials.isEmpty()) && json)
        return failed(2, Text::tr("--categories and --materials go with a sheet (.xlsx, .xls, .ods, .csv or .txt) "
                                  "only"));
    if (RegularFile::entryExists(options.output) && !options.force)
        return failed(2, Text::tr("%1 already exists; give --force to replace it").arg(options.output));
    const QString leftOutFile = leftOutPath(options.output);
    if (options.skipUnshowable && RegularFile::entryExists(leftOutFile) && !options.force)
        return failed(2, Text::tr("%1 already exists (the rows left out of an earlier build); give --force to "
                                  "replace it")
                             .arg(leftOutFile));

    BankSource source = json ? JsonBankReader::read(options.source)
                             : SheetBankReader::read(options.source, options.categories, options.materials);
    Result result;
    result.notes = source.notes;
    const LeftOutRows& leftOut = source.leftOut;
    if (!options.skipUnshowable) {
        for (const LeftOutRow& row : leftOut.rows)
            source.problems.addError(leftOut.file, row.place, row.reason, row.value);
    }
    if (!leftOut.rows.isEmpty() && !options.skipUnshowable) {
        const bool others = source.problems.errors().size() > leftOut.rows.size();
        result.problems = source.problems;
        result.exitCode = 1;
        const int count = int(leftOut.rows.size());
        result.message = (others ? Text::tr("%1: no bank was written. %n row(s) hold questions the program cannot "
                                            "show: correct the other errors above, then give --%2 to build the other "
                                            "questions; those rows are then written to %3 for you to fix",
                                            nullptr, count)
                                 : Text::tr("%1: no bank was written. %n row(s) hold questions the program cannot "
                                            "show: give --%2 to build the other questions; those rows are then "
                                            "written to %3 for you to fix",
                                            nullptr, count))
                             .arg(options.source, QLatin1String(skipOption), leftOutFile);
        return result;
    }
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
    LearnerWarnings::checkExam(source.content, options.source, source.problems);
    result.problems = source.problems;
    const qint64 size = QFileInfo(bank.temporaryPath()).size();
    if (!bank.putInPlace(options.force)) {
        result.exitCode = RegularFile::entryExists(options.output) && !options.force ? 2 : 1;
        result.message = Text::tr("%1 cannot be put in place: %2").arg(options.output, bank.errorString());
        return result;
    }
    if (options.skipUnshowable && !leftOut.rows.isEmpty()) {
        QString error;
        if (!writeLeftOut(leftOut, leftOutFile, options.force, error)) {
            result.exitCode = 1;
            result.message = Text::tr("%1 was built, but the rows left out cannot be written: %2")
                                 .arg(options.output, error);
            return result;
        }
        result.leftOutCounts = countsByReason(leftOut);
        result.notes.append(Text::tr("%n row(s) the program cannot show were left out and written to %1 with their "
                                     "row numbers and reasons",
                                     nullptr, int(leftOut.rows.size()))
                                .arg(leftOutFile));
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
