#include "store/OpenFailure.h"

#include "store/SqliteFileName.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <sys/stat.h>

namespace OpenFailure {

QString pathProblem(const QString& path)
{
#ifdef Q_OS_WIN
    // Windows opens no file whose full path is MAX_PATH (260) characters or
    // longer for a program not declared aware of longer ones, SQLite's file
    // layer included; a folder just short of it can still be the current one.
    constexpr qsizetype maxPath = 260;
    const QString native = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (native.size() >= maxPath)
        return QCoreApplication::translate("Store", "the path of '%1' is %2 characters long, and Windows opens no "
                                                    "file whose path is longer than %3 characters; move the bank to "
                                                    "a folder with a shorter path")
            .arg(path)
            .arg(native.size())
            .arg(maxPath - 1);
#endif
    // SQLite works with the absolute path as it is handed to it (UTF-8 on
    // Windows), and refuses one longer than its file layer's limit (512
    // bytes on Unix, 1040 on Windows).
    const QByteArray absolute = sqliteFileName(QFileInfo(path).absoluteFilePath());
    const sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    if (vfs && absolute.size() >= vfs->mxPathname)
        return QCoreApplication::translate("Store", "the path of '%1' is %2 bytes long, and SQLite opens no file "
                                                    "whose path is longer than %3 bytes; move the bank to a folder "
                                                    "with a shorter path")
            .arg(path)
            .arg(absolute.size())
            .arg(vfs->mxPathname - 1);
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 && errno == EACCES)
        return QCoreApplication::translate("Store", "'%1' cannot be reached: a folder on its path may not be "
                                                    "searched by you (permission denied)")
            .arg(path);
    return {};
}

} // namespace OpenFailure
