#pragma once

#include "tools/BankContent.h"
#include "tools/SourceProblems.h"

// What reading a source file gives: the rows it holds and what is wrong with
// them. The content is only meant to be written when there are no errors.
struct BankSource
{
    BankContent content;
    SourceProblems problems;
};
