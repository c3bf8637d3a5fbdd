#pragma once

#include <QString>

// What post number n writes, shared by the program that posts and the test
// that checks the bank after killing it.
namespace DurablePosts {

// Even numbers insert a new entry, odd numbers edit entry 1.
inline bool isInsert(qint64 number) { return number % 2 == 0; }

inline QString title(qint64 number) { return QStringLiteral("post %1").arg(number); }

// Long enough to span several pages, so that a kill can land half-way
// through writing one post.
inline QString text(qint64 number)
{
    return title(number) + QLatin1Char(' ') + QString(6000 + int(number % 7) * 500, QChar(0x8bb0));
}

} // namespace DurablePosts
