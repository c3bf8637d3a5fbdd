#pragma once

#include "tools/content/BankContent.h"
#include "tools/content/SourceProblems.h"

// The checks that concern a whole source rather than one row, shared by all
// source formats: duplicate numbers are errors (the bank cannot hold them);
// a question in a category the program does not offer is a warning (the
// bank can hold it, the user will not find it by category).
namespace ContentRules {

// Categories are reported against `categoriesFile`, everything else against
// `file` (the two differ when categories come from a file of their own).
void check(const BankContent& content, const QString& file, const QString& categoriesFile,
           SourceProblems& problems);

} // namespace ContentRules
