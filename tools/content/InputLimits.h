#pragma once

#include <QtGlobal>

// The largest files the bank tool reads, so that a file named by mistake
// (or on purpose) cannot make it use memory without bound. A source is read
// whole and then parsed, which takes a few times its size again.
namespace InputLimits {

inline constexpr qint64 sourceBytes = qint64(128) * 1024 * 1024;
inline constexpr qint64 pictureBytes = qint64(64) * 1024 * 1024;

} // namespace InputLimits
