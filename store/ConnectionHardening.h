#pragma once

struct sqlite3;

// The settings every connection to a bank runs with, whatever it is opened
// for: extended result codes, the busy timeout, and SQLite's defensive
// settings for an untrusted file. No schema-defined function with side
// effects runs, the schema cannot be written through pragmas, and no
// trigger runs, so that a trigger hidden in a bank can neither loop for
// ever nor change other rows when a row is written.
void hardenConnection(sqlite3* db);
