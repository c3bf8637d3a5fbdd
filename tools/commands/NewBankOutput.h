#pragma once

#include "tools/bankfile/NewBankFile.h"
#include "tools/commands/CommandResult.h"

#include <QString>
#include <QStringList>

// The new bank that build and import write, the opening and the end they
// share: an existing output is refused at once unless `force` is given, the
// bank is written under a temporary name (NewBankFile) and put in place only
// when whole, so that a failed run leaves nothing behind.
class NewBankOutput
{
public:
    // Throws ToolError (usage) when `output` exists and `force` is not set,
    // or when it is one of `inputs` (the same file, through a link or not).
    NewBankOutput(const QString& output, bool force, const QStringList& inputs);

    // Creates the temporary file, noting in `result` the files of stopped
    // runs that it removed; throws result.failure() when the output's folder
    // cannot be written.
    void create(CommandResult& result);

    QString temporaryPath() const { return file_.temporaryPath(); }

    // Renames the finished bank to the output, noting in `result` the
    // journals of a crashed program it removed beside it; throws
    // result.failure() when it cannot (usage when an output appeared
    // meanwhile and `force` is not set).
    void putInPlace(CommandResult& result);

private:
    QString output_;
    bool force_;
    NewBankFile file_;
};
