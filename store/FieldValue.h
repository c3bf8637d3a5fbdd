#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// One value as SQLite stores it: its kind and what it holds.
struct FieldValue
{
    enum class Kind { Integer, Real, Text, Blob, Null };

    Kind kind = Kind::Null;
    qint64 integer = 0;
    double real = 0;
    QByteArrayView bytes; // a Text value's UTF-8, a Blob value's bytes
};

// How a stored value, or a number typed by the user, is read: written once,
// for the program's record sets, its boxes, and the bank tool's checks, so
// that the tool says what the program will make of a value.

// A value as text: null as "", an integer in decimal, a real with up to 15
// significant digits, text and bytes as UTF-8.
QString readText(const FieldValue& value);

// A number field: null as 0; an integer that fits 32 bits as itself; a real
// rounded to the nearest integer when that fits; text and bytes by the rules
// of integerFromText. Nothing when the value cannot be read as a number.
std::optional<int> readInteger(const FieldValue& value);

// readInteger, raising ConversionError "'<text>' is not a valid integer
// value" when the value cannot be read as a number.
int requireInteger(const FieldValue& value);

// A picture field: null as no bytes, text and bytes as they are, a number as
// its text.
QByteArray readBytes(const FieldValue& value);

// Text to an integer: optional leading blanks, an optional sign, decimal
// digits, nothing after them, and a value that fits 32 bits. Nothing for
// anything else.
std::optional<int> parseInteger(const QString& text);

// parseInteger, raising ConversionError "'<text>' is not a valid integer
// value" for a text it cannot read.
int integerFromText(const QString& text);

// parseInteger, giving `fallback` for a text it cannot read.
int integerFromTextOr(const QString& text, int fallback);

// Raises the ConversionError of a value that is not an integer, shown as `text`.
[[noreturn]] void raiseNotAnInteger(const QString& text);

// For messages: the value as text cut to a readable length (text quoted,
// bytes counted, null as "null"), and the name of its kind ("integer",
// "real", "text", "bytes", "null").
QString shownValue(const FieldValue& value);
QString kindName(FieldValue::Kind kind);
