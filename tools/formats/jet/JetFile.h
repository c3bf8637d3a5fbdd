#pragma once

#include <QString>

// What the importer can tell about a Jet database from the file itself,
// before anything reads its tables: whether it is one, and whether it is
// whole. A Jet file is a run of fixed-size pages (4096 bytes from Jet 4
// on), so a file cut short almost always ends in the middle of one.
namespace JetFile {

// True when the file begins with the header of a Jet or ACE database
// ("Standard Jet DB" / "Standard ACE DB"), whatever its name.
bool isJetDatabase(const QString& path);

// The page size the file's header gives (2048 for Jet 3, 4096 later).
qint64 pageSize(const QString& path);

// Why the file cannot be a whole Jet database, or empty when its length
// fits: not a Jet file, or a length that is not a whole number of pages.
QString lengthProblem(const QString& path);

} // namespace JetFile
