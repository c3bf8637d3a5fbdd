#pragma once

#include "tools/content/SourceProblems.h"

#include <QString>
#include <QStringList>

// The build command: reads a source (.json, or a sheet: .xlsx, .csv, .txt),
// reads its pictures and writes the bank. The bank is written to a temporary file next to the
// output and renamed at the end, so a failed build leaves nothing behind and
// an existing bank is only replaced, whole, when `force` is set.
namespace BankBuild {

struct Options
{
    QString source;
    QString categories; // sheet sources only: the sheet of category titles
    QString output;
    bool force = false;
    QString materials; // sheet sources only: the sheet of reference materials
    // Build the questions the program can show and write the sheet's other
    // rows (multiple choice, a fourth option, no answer, ...) to
    // leftOutPath(output) for the teacher to fix; without it such rows
    // stop the build.
    bool skipUnshowable = false;
};

struct Result
{
    int exitCode = 0; // 0 built, 1 the source has faults or the bank cannot be written, 2 usage error
    SourceProblems problems;
    QString message; // what went wrong outside the source, if anything
    QStringList notes; // how the source was read, files of killed runs removed
    QString report;    // what was built, with the bank's size
    QStringList leftOutCounts; // with skipUnshowable: the rows left out, counted by reason
};

Result run(const Options& options);

// Where the rows left out of `output` are written: a workbook beside it.
QString leftOutPath(const QString& output);

// The option that builds what the program can show.
inline constexpr const char* skipOption = "skip-unshowable";

} // namespace BankBuild
