#pragma once

#include "tools/content/BankContent.h"
#include "tools/content/SourceProblems.h"

#include <QStringList>

// What reading a source file gives: the rows it holds and what is wrong with
// them. The content is only meant to be written when there are no errors.
struct BankSource
{
    BankContent content;
    SourceProblems problems;
    QStringList notes; // how the source was read (a sheet's encoding), for the build report
};
