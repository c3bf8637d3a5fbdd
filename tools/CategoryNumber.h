#pragma once

#include <QString>

// How the program reads a category number: one whose decimal text has "00"
// as its 2nd and 3rd characters (100, 200, 1000) is a chapter heading and is
// never offered; every other number (101, 102, 5) is a category questions
// can be practised in.
namespace CategoryNumber {

inline bool isHeading(qint64 no)
{
    return QString::number(no).mid(1, 2) == QLatin1String("00");
}

} // namespace CategoryNumber
