#pragma once

#include "tools/bankfile/NewBankFile.h"
#include "tools/commands/CommandResult.h"

#include <QString>

// The new bank that build and import write, the opening and the end they
// share: an existing output is refused at once unless `force` is given, the
// bank is written under a temporary name (NewBankFile) and put in place only
// when whole, so that a failed run leaves nothing behind.
class NewBankOutput
{
public:
    // Throws ToolError (usage) when `output` exists and `force` is not set.
    NewBankOutput(const QString& output, bool force);

    // Creates the temporary file, noting in `result` the files of stopped
    // runs that it removed; throws result.failure() when the output's folder
    // cannot be written.
    void create(CommandResult& result);

    QString temporaryPath() const { return file_.temporaryPath(); }

    // Renames the finished bank to the output; throws result.failure() when
    // it cannot (usage when an output appeared meanwhile and `force` is not
    // set).
    void putInPlace(const CommandResult& result);

private:
    QString output_;
    bool force_;
    NewBankFile file_;
};
