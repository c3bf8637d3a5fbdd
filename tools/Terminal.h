#pragma once

#include <cstdio>

// Whether `stream` shows on a terminal (a console window on Windows) rather
// than going to a file, a pipe or a log.
bool isTerminal(std::FILE* stream);
