#include "tools/commands/NewBankOutput.h"

#include "tools/bankfile/OutputFiles.h"

#include "store/RegularFile.h"

#include <QCoreApplication>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(NewBankOutput)
};

} // namespace

NewBankOutput::NewBankOutput(const QString& output, bool force, const QStringList& inputs)
    : output_(output)
    , force_(force)
    , file_(output)
{
    if (RegularFile::entryExists(output) && !force)
        throw ToolError(ExitCode::usage, Text::tr("%1 already exists; give --force to replace it").arg(output));
    const QString aliased = OutputFiles::aliasedInput(output, inputs);
    if (!aliased.isEmpty())
        throw ToolError(ExitCode::usage,
                        Text::tr("%1 is the file %2 that the bank is built from; write the bank to another file")
                            .arg(output, aliased));
}

void NewBankOutput::create(CommandResult& result)
{
    const bool created = file_.create();
    for (const QString& stale : file_.removedStaleFiles())
        result.note(Text::tr("removed %1, left by an earlier run that was stopped").arg(stale));
    if (!created)
        throw result.failure(ExitCode::faults,
                             Text::tr("%1: cannot write in this folder: %2").arg(output_, file_.errorString()));
}

void NewBankOutput::putInPlace(CommandResult& result)
{
    if (!file_.putInPlace(force_))
        throw result.failure(RegularFile::entryExists(output_) && !force_ ? ExitCode::usage : ExitCode::faults,
                             Text::tr("%1 cannot be put in place: %2").arg(output_, file_.errorString()));
    for (const QString& journal : file_.removedJournals())
        result.note(Text::tr("removed %1, left beside the bank it replaces by a program that stopped while writing "
                             "it")
                        .arg(journal));
}
