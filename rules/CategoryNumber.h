#pragma once

#include <QString>

// How the program reads a category number: one whose decimal text has "00"
// as its 2nd and 3rd characters (100, 200, 1000) heads a chapter and is never
// offered; every other number (101, 102, 5, and 0101, whose characters are
// "10") is a category questions can be practised in. The text is the
// number's text as stored, so a leading zero counts.
namespace CategoryNumber {

inline bool isHeading(const QString& numberText)
{
    return numberText.mid(1, 2) == QLatin1String("00");
}

inline bool isHeading(qint64 number)
{
    return isHeading(QString::number(number));
}

} // namespace CategoryNumber
