#include "tools/commands/ImportCommand.h"

#include "tools/commands/CheckCommand.h"
#include "tools/commands/NewBankOutput.h"
#include "tools/formats/jet/JetBankWriter.h"
#include "tools/formats/jet/JetFile.h"
#include "tools/formats/jet/JetReadProcess.h"
#include "tools/formats/jet/JetReader.h"

#include "store/StoreError.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(ImportCommand)
};

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

namespace ImportCommand {

CommandResult run(const Options& options)
{
    const QFileInfo source(options.source);
    if (!source.isFile() || !source.isReadable())
        throw ToolError(ExitCode::faults, Text::tr("%1: cannot be read").arg(options.source));
    if (!JetFile::isJetDatabase(options.source))
        throw ToolError(ExitCode::usage,
                        Text::tr("%1: not a Jet database (an Access .mdb file)").arg(options.source));
    if (!JetReader::available())
        throw ToolError(ExitCode::faults,
                        Text::tr("%1: this build of quenhar-bank cannot read Jet (Access .mdb) banks. Convert the file "
                                 "with \"quenhar-bank import\" on a computer whose build can (the Linux build does) "
                                 "and use the bank it writes; or export that bank there to a workbook "
                                 "(\"quenhar-bank export --format xlsx\") and build a bank from it here.")
                            .arg(options.source));
    NewBankOutput output(options.output, options.force, {options.source});

    CommandResult result;
    output.create(result);
    try {
        JetBankWriter bank(output.temporaryPath());
        JetReadProcess::read(options.readerProgram, options.source,
                             options.timeLimit.value_or(JetReadProcess::timeLimitFor(source.size())), bank);
        bank.finish();
        result.report = importReport(options.source, options.output, bank);
    } catch (const StoreError& error) {
        throw result.failure(ExitCode::faults,
                             Text::tr("%1: %2; no bank was written").arg(options.source, error.text()));
    }
    output.putInPlace(result);

    const CheckReport check = CheckCommand::check(options.output);
    result.report += QLatin1Char('\n') + check.toText(options.output);
    if (!check.programWorks()) {
        result.exitCode = ExitCode::faults;
        result.messages.append(Text::tr("%1 was written, but the program fails on it as the check above says")
                                   .arg(options.output));
    }
    return result;
}

} // namespace ImportCommand
