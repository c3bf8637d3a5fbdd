#include "FileProtection.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace {

bool runChattr(const QString& flag, const QString& path)
{
    QProcess chattr;
    chattr.start(QStringLiteral("chattr"), {flag, path});
    return chattr.waitForFinished(10000) && chattr.exitStatus() == QProcess::NormalExit && chattr.exitCode() == 0;
}

} // namespace

QByteArray fileDigest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result().toHex();
}

QStringList folderEntries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

ReadOnlyGuard::ReadOnlyGuard(const QString& path)
    : path_(path)
{
#ifdef Q_OS_WIN
    // The read-only attribute stops every write to a file, an
    // administrator's too; on a folder it stops nothing, so a folder is not
    // protected here. Wine keeps the attribute as Unix permissions, which do
    // not stop root: there a file open for writing proves it not in force.
    inForce_ = !QFileInfo(path_).isDir() && QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::ReadUser)
        && !QFile(path_).open(QIODevice::ReadWrite);
#else
    if (geteuid() == 0) {
        immutable_ = runChattr(QStringLiteral("+i"), path_);
        inForce_ = immutable_;
        return;
    }
    const bool folder = QFileInfo(path_).isDir();
    QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ReadUser;
    if (folder)
        readOnly |= QFileDevice::ExeOwner | QFileDevice::ExeUser;
    inForce_ = QFile::setPermissions(path_, readOnly);
#endif
}

ReadOnlyGuard::~ReadOnlyGuard()
{
    // The temporary folder must be removable afterwards.
    if (immutable_)
        runChattr(QStringLiteral("-i"), path_);
    else
        QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                         | QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
}
