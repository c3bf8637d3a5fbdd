#pragma once

#include "tools/formats/jet/JetTable.h"

#include <QString>

#include <chrono>

// Reads a Jet database in a child process, so that a damaged file cannot
// take the importer down with it: libmdb has been seen to crash and to loop
// forever on damaged files. The child is the bank tool itself, started with
// the hidden command `read-jet FILE`; it reads the file with JetReader and
// streams the tables to its parent as frames (JetFrames.h) on its stdout.
// The parent hands them on to a sink as they come, so only one row is in
// memory at a time, and kills the child when it takes too long.
namespace JetReadProcess {

inline constexpr char command[] = "read-jet";

// The time a file is given: 30 seconds, and a second more per megabyte.
std::chrono::milliseconds timeLimitFor(qint64 fileBytes);

// Runs `program read-jet path` and hands the tables it reads to `sink`.
// Raises StoreError when the file cannot be read, the child crashes, stops
// before it is done or runs out of time; the child is then gone. An error
// raised by the sink stops the child too and is passed on.
void read(const QString& program, const QString& path, std::chrono::milliseconds timeLimit, Jet::RowSink& sink);

// The child's side: reads `path` and writes the frames to stdout. Returns
// the process's exit code.
int serve(const QString& path);

} // namespace JetReadProcess
