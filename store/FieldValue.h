#pragma once

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

// How the program reads a value as text: null as "", an integer in decimal,
// a real with up to 15 significant digits, text and bytes as UTF-8.
QString readText(const FieldValue& value);

// How the program reads a number field: null as 0; an integer that fits 32
// bits as itself; a real rounded to the nearest integer when that fits;
// text and bytes by the rules of integerFromText. Nothing when the value
// cannot be read as a number.
std::optional<int> readInteger(const FieldValue& value);

// readInteger, raising ConversionError "'<text>' is not a valid integer
// value" when the value cannot be read as a number.
int requireInteger(const FieldValue& value);
