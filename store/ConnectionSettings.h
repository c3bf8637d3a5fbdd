#pragma once

#include <QtGlobal>

// The fixed settings of every connection to a question bank. There is no
// configuration.
namespace ConnectionSettings {

// How long a write waits for another program's write to finish before it
// fails. The bank is shared ("deny none"), so a short wait is expected.
inline constexpr int busyTimeoutMs = 5000;

// Bounds on reading one statement's rows. A bank is an untrusted file: a
// view can be made to run for ever or to yield endless rows, and must end in
// an error rather than a frozen program. A real bank of 100,000 questions
// reads in about a second and some tens of megabytes.
inline constexpr int readTimeLimitMs = 30000;
// All the rows a record set holds.
inline constexpr qint64 maxReadBytes = qint64(1) << 30;
// One row's text and byte values, summed, as the bank tool reads them; also
// the longest value it makes or writes.
inline constexpr qint64 maxRowBytes = 256 * 1024 * 1024;
// What SQLite may hold in memory while the bank tool reads.
inline constexpr qint64 maxMemoryBytes = qint64(1) << 30;

// The deadline of one write (a post, a delete), after waiting for the lock.
// A reference text is written in milliseconds; past this something is wrong
// with the file, and the change is rolled back rather than the window frozen.
inline constexpr int writeTimeLimitMs = 10000;

} // namespace ConnectionSettings
