#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The SHA-256 of a file's bytes, to prove a run left it as it was.
QByteArray fileDigest(const QString& path);

// The names in a folder, hidden ones included, to prove a run left no file
// behind (a journal, a write-ahead log).
QStringList folderEntries(const QString& dir);

// Makes a file or folder read-only for the life of the object. Permission
// bits do not stop root, so as root the immutable attribute is used instead
// (chattr +i); where that is not possible (or on Windows, where a folder
// cannot be made read-only, and Wine run by root, where a read-only file can
// still be written), `inForce()` is false and the caller can say that this
// part of its check did not run.
class ReadOnlyGuard
{
public:
    explicit ReadOnlyGuard(const QString& path);
    ~ReadOnlyGuard();

    ReadOnlyGuard(const ReadOnlyGuard&) = delete;
    ReadOnlyGuard& operator=(const ReadOnlyGuard&) = delete;

    bool inForce() const { return inForce_; }

private:
    QString path_;
    bool immutable_ = false;
    bool inForce_ = false;
};
