#pragma once

#include "tools/ToolError.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// What every command of the bank tool gives when it runs to its end: its
// exit code (ExitCode: 1 when what it found has faults), its report for
// standard output, and its messages for standard error, a line each in the
// order they arose. A command that cannot do its work throws ToolError
// instead, made by failure() so that it carries the messages given so far.
struct CommandResult
{
    Q_DECLARE_TR_FUNCTIONS(CommandResult)

public:
    int exitCode = ExitCode::ok;
    QString report;
    QStringList messages;

    void note(const QString& text);
    void warning(const QString& text);
    void error(const QString& text);

    // The error that ends the command with `exitCode`: the messages given so
    // far, then `reason` when there is one.
    ToolError failure(int exitCode) const;
    ToolError failure(int exitCode, const QString& reason) const;
};
