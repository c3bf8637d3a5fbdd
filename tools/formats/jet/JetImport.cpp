#include "tools/formats/jet/JetImport.h"

#include "tools/commands/BankChecker.h"
#include "tools/bankfile/NewBankFile.h"
#include "tools/formats/jet/JetBankWriter.h"
#include "tools/formats/jet/JetFile.h"
#include "tools/formats/jet/JetReadProcess.h"

#include "store/RegularFile.h"
#include "store/StoreError.h"
#include "store/SystemError.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(JetImport)
};

JetImport::Result failed(int exitCode, const QString& message)
{
    JetImport::Result result;
    result.exitCode = exitCode;
    result.message = message;
    return result;
}

QString listed(const QString& heading, const QStringList& items)
{
    if (items.isEmpty())
        return {};
    return QStringLiteral("\n%1\n  - %2\n").arg(heading, items.join(QStringLiteral("\n  - ")));
}

QString importReport(const QString& source, const QString& output, const JetBankWriter& bank)
{
    QString report = Text::tr("Imported %1 into %2:\n").arg(source, output);
    for (const JetBankWriter::TableRows& table : bank.tables())
        report += Text::tr("  %1: %2 rows\n").arg(table.name).arg(table.rows);
    report += listed(Text::tr("Notes:"), bank.notes());
    report += listed(Text::tr("Left out:"), bank.leftOut());
    return report;
}

} // namespace

namespace JetImport {

Result run(const Options& options)
{
    const QFileInfo source(options.source);
    if (!source.isFile() || !source.isReadable())
        return failed(1, Text::tr("%1: cannot be read").arg(options.source));
    if (!JetFile::isJetDatabase(options.source))
        return failed(2, Text::tr("%1: not a Jet database (an Access .mdb file)").arg(options.source));
    if (RegularFile::entryExists(options.output) && !options.force)
        return failed(2, Text::tr("%1 already exists; give --force to replace it").arg(options.output));

    NewBankFile file(options.output);
    if (!file.create())
        return failed(1, Text::tr("%1: cannot write in this folder: %2").arg(options.output, SystemError::translated(file.errorString())));
    Result result;
    try {
        JetBankWriter bank(file.temporaryPath());
        JetReadProcess::read(options.readerProgram, options.source,
                             options.timeLimit.value_or(JetReadProcess::timeLimitFor(source.size())), bank);
        bank.finish();
        result.report = importReport(options.source, options.output, bank);
    } catch (const StoreError& error) {
        return failed(1, Text::tr("%1: %2; no bank was written").arg(options.source, error.text()));
    }
    if (!file.putInPlace(options.force))
        return failed(1, Text::tr("%1 cannot be put in place: %2").arg(options.output, SystemError::translated(file.errorString())));

    result.check = BankChecker::check(options.output);
    result.report += QLatin1Char('\n') + result.check->toText(options.output);
    if (!result.check->programWorks()) {
        result.exitCode = 1;
        result.message = Text::tr("%1 was written, but the program fails on it as the check above says")
                             .arg(options.output);
    }
    return result;
}

} // namespace JetImport
