#pragma once

#include "tools/commands/CommandResult.h"

#include "store/Database.h"

#include <QList>
#include <QString>

// The stats command: how a bank's questions divide up by category (with the
// category titles), by type, by must-answer flag and by picture. The bank's
// files are not changed.
namespace StatsCommand {

struct Count
{
    QString label;
    qint64 questions = 0;
};

struct Counts
{
    QList<Count> byCategory;
    QList<Count> byType;
    QList<Count> byMustAnswer;
    QList<Count> byPicture;
    qint64 total = 0;

    QString toText() const;
};

// Raises StoreError when the bank cannot be opened, lacks a table or column
// the counts need, or a read goes beyond `limits`.
Counts count(const QString& bankPath, const Database::Limits& limits = {});

// The counts as the report; throws ToolError, naming the bank, where count()
// raises.
CommandResult run(const QString& bankPath, const Database::Limits& limits = {});

} // namespace StatsCommand
