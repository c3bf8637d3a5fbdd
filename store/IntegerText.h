#pragma once

#include <QString>

// Text-to-integer conversion with the program's rules: optional leading
// blanks, an optional sign, decimal digits, nothing after them, and a value
// that fits 32 bits. Anything else raises
// "'<text>' is not a valid integer value".
int integerFromText(const QString& text);

// The same conversion, giving `fallback` instead of raising.
int integerFromTextOr(const QString& text, int fallback);
