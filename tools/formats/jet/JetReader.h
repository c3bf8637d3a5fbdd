#pragma once

#include "tools/formats/jet/JetTable.h"

#include <QString>

// Reads every user table of a Jet 4 database (Access 2000 to 2003, and the
// later ACE files) with libmdb, the library of mdbtools, and hands its rows
// to a sink in stored order. A database password is no obstacle and
// RC4-encoded pages are decoded by libmdb.
//
// Integers, reals and currency come out as numbers, text and memos whole
// (the importer gathers a memo's pages itself, so there is no bind size to
// cut it short), OLE objects and binary values byte for byte, dates as
// "yyyy-MM-dd HH:mm:ss" text.
//
// libmdb reads a truncated file without complaint, leaving values it cannot
// reach empty; the reader checks the file's length, every page a value
// refers to and each table's row count itself, and raises StoreError when
// anything is missing.
//
// A damaged file can make libmdb crash or loop forever: call this only in a
// process of its own (JetReadProcess does).
//
// A build without libmdb (QUENHAR_JET_IMPORT off: libmdb needs GLib, which
// the Windows build does not have) has JetReaderMissing.cpp instead: it
// reads no Jet file, and says so.
namespace JetReader {

// Whether this build reads Jet files at all.
bool available();

void read(const QString& path, Jet::RowSink& sink);

} // namespace JetReader
