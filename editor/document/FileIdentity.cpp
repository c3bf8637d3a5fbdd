#include "editor/document/FileIdentity.h"

#include <QFile>

#include <sys/stat.h>

FileIdentity FileIdentity::of(const QString& path)
{
    struct stat status {};
    FileIdentity identity;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return identity;
    identity.exists = true;
    identity.device = quint64(status.st_dev);
    identity.inode = quint64(status.st_ino);
    identity.size = qint64(status.st_size);
    identity.modifiedNs = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    return identity;
}

bool FileIdentity::hasPendingWrites(const QString& bankPath)
{
    for (const char* suffix : {"-journal", "-wal"}) {
        const FileIdentity beside = of(bankPath + QLatin1String(suffix));
        if (beside.exists && beside.size > 0)
            return true;
    }
    return false;
}
