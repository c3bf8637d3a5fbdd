#pragma once

#include "store/Failure.h"

#include <QStringList>

// How quenhar-bank ends, as its exit code tells scripts.
namespace ExitCode {
inline constexpr int ok = 0;
inline constexpr int faults = 1; // the bank or source has faults, or cannot be read or written
inline constexpr int usage = 2;  // the arguments are wrong, or an output exists and --force is not given
} // namespace ExitCode

// The error that ends a command of the bank tool. It is thrown where the
// problem is found and caught once, by the program's main, which shows its
// lines on standard error and exits with its code. The lines are the
// messages the command had given when it stopped (the notes and warnings on
// a source, say), its reason last, so that nothing said before is lost.
class ToolError : public Failure
{
public:
    ToolError(int exitCode, const QStringList& lines)
        : Failure(lines.join(QLatin1Char('\n')))
        , exitCode_(exitCode)
        , lines_(lines)
    {
    }

    ToolError(int exitCode, const QString& text)
        : ToolError(exitCode, QStringList{text})
    {
    }

    int exitCode() const noexcept { return exitCode_; }
    const QStringList& lines() const noexcept { return lines_; }

private:
    int exitCode_;
    QStringList lines_;
};
