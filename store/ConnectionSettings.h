#pragma once

#include <QString>

// The fixed settings of every connection to a question bank. There is no
// configuration.
namespace ConnectionSettings {

// How long a write waits for another program's write to finish before it
// fails. The bank is shared ("deny none"), so a short wait is expected.
inline constexpr int busyTimeoutMs = 5000;

// Bounds on reading one statement's rows into a record set. A bank is an
// untrusted file: a view can be made to run for ever or to yield endless
// rows, and must end in an error rather than a frozen program. A real bank
// of 100,000 questions reads in about a second and some tens of megabytes.
inline constexpr int readTimeLimitMs = 30000;
inline constexpr qint64 maxRowBytes = qint64(1) << 30;

// The deadline of one write (a post, a delete), after waiting for the lock.
// A reference text is written in milliseconds; past this something is wrong
// with the file, and the change is rolled back rather than the window frozen.
inline constexpr int writeTimeLimitMs = 10000;

} // namespace ConnectionSettings
