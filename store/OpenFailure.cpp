#include "store/OpenFailure.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <sys/stat.h>

namespace OpenFailure {

QString pathProblem(const QString& path)
{
    // SQLite works with the absolute path, and refuses one longer than its
    // file layer's limit (512 bytes on Unix).
    const QByteArray absolute = QFile::encodeName(QFileInfo(path).absoluteFilePath());
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
