#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The few file operations of the tool's safe writes that Qt does not offer
// with the guarantees they need, one implementation per system
// (SystemFilesUnix.cpp, SystemFilesWindows.cpp). Names are passed as they
// are: on Windows as UTF-16, so that any Chinese name works whatever the
// system's code page. On failure errno holds the reason (on Windows the
// system's error turned into its errno counterpart), for
// OutputFiles::systemError.
namespace SystemFiles {

// Renames `from` to `to` in one step, refusing any existing entry at `to`
// (a dangling symbolic link included).
bool renameNoReplace(const QString& from, const QString& to);

// Renames `from` to `to` in one step, replacing an existing file there (a
// symbolic link itself, never the file it points at).
bool renameReplacing(const QString& from, const QString& to);

// Creates `path` exclusively (never through a symbolic link, never over
// anything), writes every byte and syncs it to the disk.
bool writeNewFile(const QString& path, const QByteArray& bytes);

// Syncs a written file's bytes to the disk.
bool syncFile(const QString& path);

// Syncs a folder's entries to the disk (after a rename into it); nothing to
// do where renames are written through.
void syncFolder(const QString& folder);

// Makes one folder.
bool makeFolder(const QString& path);

// Removes the entry itself (a symbolic link, not what it points at).
bool removeEntry(const QString& path);

// Gives a finished file the permissions a file the user makes gets (on Unix
// those the umask leaves; a temporary file is private).
void giveUsualPermissions(const QString& path);

// The name by which a C library that takes narrow file names (fopen, open)
// reaches the existing file or folder `path`: the file system's bytes on
// Unix; on Windows the name in the system's code page, or where that cannot
// spell it (Chinese on a Western Windows) its short 8.3 name. Empty when
// there is none.
QByteArray narrowName(const QString& path);

// A file's name as libzip, libxlsxwriter and libfreexl take it: the file
// system's bytes on Unix; UTF-8 on Windows, where they are built to open
// files by the UTF-16 name made from it (any name, whatever the code page).
QByteArray libraryFileName(const QString& path);

// The bytes an unprivileged user may still write in `folder`'s file
// system; nothing when the system does not say.
std::optional<qint64> freeBytes(const QString& folder);

} // namespace SystemFiles
