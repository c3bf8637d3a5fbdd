#pragma once

#include "store/Statement.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Reads a value of a bank row the way the program's record sets do (with
// readInteger, the one rule both use), so that the bank tool can tell what
// the program will make of it, and names values for messages.
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
