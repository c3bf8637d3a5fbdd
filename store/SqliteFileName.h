#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A file's name as SQLite takes it. SQLite's Windows layer reads names as
// UTF-8 (and opens the file by its UTF-16 name), so a Chinese name is found
// whatever the system's code page; its Unix layer hands the bytes to the
// system as they are, in the file system's encoding.
inline QByteArray sqliteFileName(const QString& path)
{
#ifdef Q_OS_WIN
    return path.toUtf8();
#else
    return QFile::encodeName(path);
#endif
}
