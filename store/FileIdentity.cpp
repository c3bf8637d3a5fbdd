#include "store/FileIdentity.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include "store/WindowsFileIndex.h"
#else
#include <sys/stat.h>
#endif

FileIdentity FileIdentity::of(const QString& path)
{
    FileIdentity identity;
#ifdef Q_OS_WIN
    const std::optional<WindowsFileIndex> file = windowsFileIndex(path);
    if (!file)
        return identity;
    const QFileInfo info(path);
    identity.device = file->volume;
    identity.inode = file->index;
    identity.size = info.size();
    identity.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
#else
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return identity;
    identity.device = quint64(status.st_dev);
    identity.inode = quint64(status.st_ino);
    identity.size = qint64(status.st_size);
    identity.modifiedNs = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
#endif
    identity.exists = true;
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
