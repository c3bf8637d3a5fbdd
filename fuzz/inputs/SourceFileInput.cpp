#include "inputs/FuzzInputs.h"

#include "tools/formats/sheet/SheetBankReader.h"
#include "tools/formats/json/JsonBankReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

// Writes `bytes` to `name` in a folder kept for the whole run.
QString writtenFile(const QString& name, QByteArrayView bytes)
{
    static QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes.data(), bytes.size()) != bytes.size())
        std::abort();
    return path;
}

// Every problem must name its file and give a reason, whatever the input.
void checkReport(const BankSource& source)
{
    for (const QList<SourceProblem>* list : {&source.problems.errors(), &source.problems.warnings()})
        for (const SourceProblem& problem : *list)
            if (problem.file.isEmpty() || problem.reason.isEmpty() || problem.line < 0
                || problem.toString().isEmpty())
                std::abort();
}

} // namespace

namespace FuzzInputs {

void readJsonSource(QByteArrayView fileBytes)
{
    checkReport(JsonBankReader::read(writtenFile(QStringLiteral("bank.json"), fileBytes)));
}

void readCsvSource(QByteArrayView fileBytes)
{
    const qsizetype split = fileBytes.indexOf('\f');
    if (split < 0) {
        checkReport(SheetBankReader::read(writtenFile(QStringLiteral("questions.csv"), fileBytes)));
        return;
    }
    const QString questions = writtenFile(QStringLiteral("questions.csv"), fileBytes.first(split));
    const QString categories = writtenFile(QStringLiteral("categories.csv"), fileBytes.sliced(split + 1));
    checkReport(SheetBankReader::read(questions, categories));
}

void readXlsxSource(QByteArrayView fileBytes)
{
    checkReport(SheetBankReader::read(writtenFile(QStringLiteral("questions.xlsx"), fileBytes)));
}

} // namespace FuzzInputs
