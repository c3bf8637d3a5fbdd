#pragma once

#include "store/Statement.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Reads a value of a bank row the way the program's record sets do, so that
// the check can tell what the program will make of it: an integer field
// holding text is converted with the program's rules, a real is rounded,
// null reads as 0, and anything beyond 32 bits cannot be read.
namespace FieldReading {

struct IntegerField
{
    std::optional<int> value; // what the program reads; nothing: it cannot read the value
    bool isInteger = false;   // stored as an integer, as the field should be
    QString shown;            // the stored value as text, for messages
};

IntegerField integer(const Statement& row, int column);

// The stored value's bytes as the program reads a picture: a byte value as
// it is, null as nothing, any other value as its text.
QByteArray pictureBytes(const Statement& row, int column);

// A name for the kind of a stored value: "integer", "real", "text", ...
QString kindName(Statement::ColumnType type);

// The stored value as text, for messages, cut to a readable length.
QString shown(const Statement& row, int column);

} // namespace FieldReading
