#pragma once

#include "store/FieldValue.h"

#include <QString>

// How the program reads a category number: one whose decimal text has "00"
// as its 2nd and 3rd characters (100, 200, 1000) heads a chapter and is never
// offered; every other number (101, 102, 5, and 0101, whose characters are
// "10") is a category questions can be practised in. The text is the
// number's text as stored, so a leading zero counts; a heading is told by
// its text alone, before the text is read as a number.
namespace CategoryNumber {

enum class Kind { Heading, Offered, NotANumber };

struct Reading
{
    Kind kind = Kind::NotANumber;
    int number = 0; // an offered category's number
};

inline bool isHeading(const QString& numberText)
{
    return numberText.mid(1, 2) == QLatin1String("00");
}

inline bool isHeading(qint64 number)
{
    return isHeading(QString::number(number));
}

// What the stored text of a category number is.
inline Reading read(const QString& numberText)
{
    if (isHeading(numberText))
        return {Kind::Heading};
    if (const std::optional<int> number = parseInteger(numberText))
        return {Kind::Offered, *number};
    return {Kind::NotANumber};
}

} // namespace CategoryNumber
