#pragma once

#include <QString>

// What a name in a folder is, the name itself (a symbolic link is not
// followed): enough to tell a file that a stopped run of the tool left from
// anything else that may carry the same name.
struct FileEntry
{
    enum class Kind { None, File, Folder, Link, Other };

    Kind kind = Kind::None;
    // Made by this user: owned by their account (on Windows, also by the
    // group the system makes an administrator's files owned by).
    bool ownedByUser = false;
    qint64 changedMs = 0; // last modification, in milliseconds since the epoch

    static FileEntry at(const QString& path);
};
