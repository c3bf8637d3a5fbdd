#include "tools/commands/CommandResult.h"

void CommandResult::note(const QString& text)
{
    messages.append(tr("note: %1").arg(text));
}

void CommandResult::warning(const QString& text)
{
    messages.append(tr("warning: %1").arg(text));
}

void CommandResult::error(const QString& text)
{
    messages.append(tr("error: %1").arg(text));
}

ToolError CommandResult::failure(int exitCode) const
{
    return ToolError(exitCode, messages);
}

ToolError CommandResult::failure(int exitCode, const QString& reason) const
{
    return ToolError(exitCode, messages + QStringList{reason});
}
