#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

// How the bank tool puts its outputs in place. A file is first written whole
// under a new hidden name beside its target (created exclusively, so never
// through a symbolic link or over anything), then renamed to the target in
// one step: a failed or stopped run never leaves half a file under the
// target's name. Without `replace` the rename refuses any existing entry,
// a dangling symbolic link included; with it, the entry itself is replaced
// (a symbolic link by the file, never the file it points at).
namespace OutputFiles {

// Renames `temporary` to `target` as above; on failure says why in `error`.
bool place(const QString& temporary, const QString& target, bool replace, QString& error);

// Writes `bytes` as `target` the same way.
bool write(const QString& target, const QByteArray& bytes, bool replace, QString& error);

// Writes every byte to an open descriptor, retrying short writes; false with
// the reason (a full disk said as such) when the system refuses.
bool writeAll(int fd, const QByteArray& bytes, QString& error);

// The reason for a failed system call, for messages: "the disk is full",
// "permission denied", ...
QString systemError(int error);

} // namespace OutputFiles

// A folder that an export writes into. The folder named by the user may be
// anything that leads to a folder; subfolders the export makes must be real
// folders, not symbolic links planted in it.
class OutputFolder
{
    Q_DECLARE_TR_FUNCTIONS(OutputFolder)

public:
    OutputFolder(const QString& path, bool replace);

    QString filePath(const QString& name) const;

    // The names among `names` (relative to the folder) that something
    // already has: without `replace` none may exist.
    QStringList existing(const QStringList& names) const;

    // Makes the folder and its subfolder `subfolder` when they are missing.
    bool make(const QString& subfolder, QString& error) const;

    bool write(const QString& name, const QByteArray& bytes, QString& error) const;

private:
    QString path_;
    bool replace_;
};
