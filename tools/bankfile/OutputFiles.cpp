#include "tools/bankfile/OutputFiles.h"

#include "tools/bankfile/SystemFiles.h"

#include "store/FileIdentity.h"
#include "store/SystemError.h"

#include <QFileInfo>

#include <cerrno>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(OutputFiles)
};

bool isDiskFull(int error)
{
#ifdef EDQUOT // Windows has no quota error of its own
    if (error == EDQUOT)
        return true;
#endif
    return error == ENOSPC;
}

} // namespace

namespace OutputFiles {

QString systemError(int error)
{
    if (isDiskFull(error))
        return Text::tr("the disk is full (or your quota is used up); free some space and try again");
    if (error == EFBIG)
        return Text::tr("the file is too large for this disk or this user");
    if (error == EEXIST)
        return Text::tr("it already exists; give --force to replace it");
    return SystemError::text(error);
}

QString aliasedInput(const QString& output, const QStringList& inputs)
{
    const FileIdentity out = FileIdentity::of(output);
    if (!out.exists)
        return {};
    for (const QString& input : inputs)
        if (!input.isEmpty() && FileIdentity::of(input).isSameFileAs(out))
            return input;
    return {};
}

bool place(const QString& temporary, const QString& target, bool replace, QString& error)
{
    const bool moved = replace ? SystemFiles::renameReplacing(temporary, target)
                               : SystemFiles::renameNoReplace(temporary, target);
    if (!moved) {
        error = Text::tr("%1: %2").arg(target, systemError(errno));
        return false;
    }
    SystemFiles::syncFolder(QFileInfo(target).absolutePath());
    return true;
}

} // namespace OutputFiles
