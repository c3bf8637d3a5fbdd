#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <optional>

// Reads files named by someone else (a source, a picture, a bank) without
// being led astray by what the name may point at: only a regular file is
// read (a FIFO, a device such as /dev/zero, a folder or a socket is refused
// without blocking on it), and never more than a limit, which the message
// names. Symbolic links to a regular file are followed: the user named it.
class RegularFile
{
    Q_DECLARE_TR_FUNCTIONS(RegularFile)

public:
    struct Result
    {
        std::optional<QByteArray> bytes; // nothing when the file cannot be used
        QString error;                   // why, for a message after the file's name
    };

    // The whole file when it is a regular file of at most `maxBytes` bytes.
    static Result read(const QString& path, qint64 maxBytes);

    // The file's first `count` bytes (fewer when it is shorter), on the same
    // terms.
    static Result readPrefix(const QString& path, qint64 count);

    // Whether `path` names a regular file (after following links).
    static bool isRegular(const QString& path);

    // Whether anything at all has this name, a dangling symbolic link
    // included (QFileInfo::exists() follows links and says no to one).
    static bool entryExists(const QString& path);

    // "64 MB", "12 KB": a limit in words for messages.
    static QString sizeText(qint64 bytes);
};
