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
    bool picturesFromAnywhere = false; // pictures outside the source's folder allowed
};

struct Result
{
    int exitCode = 0; // 0 built, 1 the source has faults or the bank cannot be written, 2 usage error
    SourceProblems problems;
    QString message; // what went wrong outside the source, if anything
    QStringList notes; // how the source was read, files of killed runs removed
    QString report;    // what was built, with the bank's size
};

Result run(const Options& options);

} // namespace BankBuild
