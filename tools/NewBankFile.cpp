#include "tools/NewBankFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <cstdio>

namespace {

QString temporaryTemplate(const QString& output)
{
    const QFileInfo info(output);
    return info.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX.tmp").arg(info.fileName()));
}

void giveUsualPermissions(const QString& path)
{
    const mode_t mask = umask(0);
    umask(mask);
    chmod(QFile::encodeName(path).constData(), 0666 & ~mask);
}

} // namespace

NewBankFile::NewBankFile(const QString& output)
    : output_(QFileInfo(output).absoluteFilePath()), temporary_(temporaryTemplate(output))
{
}

bool NewBankFile::create()
{
    if (!temporary_.open())
        return false;
    temporary_.close();
    return true;
}

bool NewBankFile::putInPlace(bool replace)
{
    giveUsualPermissions(temporary_.fileName());
    const bool moved = replace ? std::rename(QFile::encodeName(temporary_.fileName()).constData(),
                                             QFile::encodeName(output_).constData())
                                     == 0
                               : QFile::rename(temporary_.fileName(), output_);
    if (moved)
        temporary_.setAutoRemove(false);
    return moved;
}
