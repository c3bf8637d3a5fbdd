#pragma once

#include "tools/content/SourceProblems.h"

#include <QStringList>

// The problems of a build as a teacher reads them: each distinct problem
// once per column, with how many rows have it and the first of them (with
// their values, shortened), errors before warnings, at most about
// `maxLines` lines in all, and a summary at the end.
namespace BuildReport {

inline constexpr int maxLines = 60;
inline constexpr int rowsShown = 6;

QStringList lines(const SourceProblems& problems, int budget = maxLines);

} // namespace BuildReport
