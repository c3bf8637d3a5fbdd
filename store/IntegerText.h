#pragma once

#include "store/Failure.h"

#include <QString>

// A text that is not an integer where one was needed: a number field of the
// bank holding other text, or the go-to box without a number.
class ConversionError : public Failure
{
public:
    using Failure::Failure;
};

// Text-to-integer conversion with the program's rules: optional leading
// blanks, an optional sign, decimal digits, nothing after them, and a value
// that fits 32 bits. Anything else raises ConversionError
// "'<text>' is not a valid integer value".
int integerFromText(const QString& text);

// The same conversion, giving `fallback` instead of raising.
int integerFromTextOr(const QString& text, int fallback);

// Raises the ConversionError of a value that is not an integer, shown as `text`.
[[noreturn]] void raiseNotAnInteger(const QString& text);
