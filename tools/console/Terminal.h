#pragma once

#include <cstdio>

// Whether `stream` shows on a terminal (a console window on Windows) rather
// than going to a file, a pipe or a log.
bool isTerminal(std::FILE* stream);

// Makes a console show the UTF-8 text the tool writes: a Windows console
// shows its own code page otherwise (GBK on a Chinese Windows), and Chinese
// messages come out garbled. Unix terminals need nothing.
void showUtf8OnTerminal();
