#pragma once

#include <QString>

struct sqlite3;

// The text of an error SQLite reported on a connection, for the user: what
// went wrong, in words (translated; the program shows them in Chinese), with
// the bank named by its file name and SQLite's own words kept at the end in
// parentheses, for whoever looks into it.
QString sqliteFailureText(sqlite3* db, int code);

// The file name of the connection's bank, as messages name it.
QString bankName(sqlite3* db);
