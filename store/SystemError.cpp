#include "store/SystemError.h"

#include <cerrno>
#include <cstring>

namespace {

struct Reason
{
    int error;
    const char* text;
};

// The reasons a user meets when naming, reading or writing files.
const Reason reasons[] = {
    {ENOENT, QT_TRANSLATE_NOOP("SystemError", "no such file or folder")},
    {EACCES, QT_TRANSLATE_NOOP("SystemError", "permission denied")},
    {EPERM, QT_TRANSLATE_NOOP("SystemError", "operation not permitted")},
    {ENOSPC, QT_TRANSLATE_NOOP("SystemError", "the disk is full")},
#ifdef EDQUOT // not among the C library's numbers on Windows, where quotas fail as a full disk
    {EDQUOT, QT_TRANSLATE_NOOP("SystemError", "your disk quota is used up")},
#endif
    {EFBIG, QT_TRANSLATE_NOOP("SystemError", "the file is too large")},
    {EROFS, QT_TRANSLATE_NOOP("SystemError", "the disk is read-only")},
    {EISDIR, QT_TRANSLATE_NOOP("SystemError", "it is a folder")},
    {ENOTDIR, QT_TRANSLATE_NOOP("SystemError", "a part of the path is not a folder")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("SystemError", "the name is too long")},
    {ELOOP, QT_TRANSLATE_NOOP("SystemError", "too many symbolic links")},
    {EIO, QT_TRANSLATE_NOOP("SystemError", "input/output error (the disk may be damaged)")},
    {EMFILE, QT_TRANSLATE_NOOP("SystemError", "too many open files")},
    {EBUSY, QT_TRANSLATE_NOOP("SystemError", "the file is in use")},
    {ETXTBSY, QT_TRANSLATE_NOOP("SystemError", "the file is in use")},
    {EEXIST, QT_TRANSLATE_NOOP("SystemError", "it already exists")},
    {EXDEV, QT_TRANSLATE_NOOP("SystemError", "it cannot be moved to another disk")},
};

QString cText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

QString SystemError::text(int error)
{
    for (const Reason& reason : reasons)
        if (reason.error == error)
            return tr(reason.text);
    return cText(error);
}

QString SystemError::translated(const QString& systemText)
{
    for (const Reason& reason : reasons)
        if (systemText.compare(cText(reason.error), Qt::CaseInsensitive) == 0)
            return tr(reason.text);
    return systemText;
}
