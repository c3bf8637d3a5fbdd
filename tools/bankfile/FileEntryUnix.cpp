#include "tools/bankfile/FileEntry.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

FileEntry FileEntry::at(const QString& path)
{
    FileEntry entry;
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return entry;
    entry.kind = S_ISREG(info.st_mode)   ? Kind::File
                 : S_ISDIR(info.st_mode) ? Kind::Folder
                 : S_ISLNK(info.st_mode) ? Kind::Link
                                         : Kind::Other;
    entry.ownedByUser = info.st_uid == ::getuid();
    entry.changedMs = qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000;
    return entry;
}
