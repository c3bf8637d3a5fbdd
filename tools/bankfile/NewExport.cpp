#include "tools/bankfile/NewExport.h"

#include "tools/bankfile/FileEntry.h"
#include "tools/bankfile/OutputFiles.h"
#include "tools/bankfile/SystemFiles.h"

#include "store/RegularFile.h"

#include <QDateTime>
#include <QDir>
#include <QRegularExpression>

#include <cerrno>

namespace {

const QString scratchPrefix = QStringLiteral(".quenhar-export.");
const QString picturesFolder = QStringLiteral("pictures");
const QString stashFolder = QStringLiteral("replaced");

// A file moved by putInPlace(), so that a failure can move it back.
struct Move
{
    QString from;
    QString to;
};

bool rename(const QString& from, const QString& to)
{
    return SystemFiles::renameReplacing(from, to);
}

} // namespace

NewExport::NewExport(const QString& outDir, bool replace)
    : outDir_(outDir)
    , replace_(replace)
    , startedMs_(QDateTime::currentMSecsSinceEpoch())
{
}

NewExport::~NewExport() = default;

bool NewExport::isScratchName(const QString& name)
{
    static const QRegularExpression pattern(QRegularExpression::escape(scratchPrefix)
                                            + QStringLiteral("[A-Za-z0-9]{6}$"));
    return name.startsWith(scratchPrefix) && pattern.match(name).hasMatch();
}

QString NewExport::targetPath(const QString& name) const
{
    return QDir(outDir_).filePath(name);
}

QString NewExport::scratchPath(const QString& name) const
{
    return QDir(scratch_->path()).filePath(name);
}

QStringList NewExport::existing(const QStringList& names) const
{
    QStringList found;
    for (const QString& name : names)
        if (RegularFile::entryExists(targetPath(name)))
            found.append(targetPath(name));
    return found;
}

void NewExport::removeStaleFolders()
{
    const QDir folder(outDir_);
    const QStringList names = folder.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QString& name : names) {
        if (!isScratchName(name))
            continue;
        const QString path = folder.filePath(name);
        const FileEntry entry = FileEntry::at(path);
        if (entry.kind != FileEntry::Kind::Folder || !entry.ownedByUser || entry.changedMs >= startedMs_)
            continue;
        // No later run takes the lock of a folder it did not make, so a
        // folder free now stays free.
        if (RunLock::isFree(path) && QDir(path).removeRecursively())
            removed_.append(path);
    }
}

bool NewExport::create(QString& error)
{
    if (!QDir().mkpath(outDir_)) {
        error = tr("%1: cannot make the folder").arg(outDir_);
        return false;
    }
    const QString pictures = targetPath(picturesFolder);
    const FileEntry entry = FileEntry::at(pictures);
    if (entry.kind != FileEntry::Kind::None && entry.kind != FileEntry::Kind::Folder) {
        error = entry.kind == FileEntry::Kind::Link
                  ? tr("%1 is a symbolic link; the export writes into real folders only").arg(pictures)
                  : tr("%1 exists and is not a folder").arg(pictures);
        return false;
    }
    removeStaleFolders();
    scratch_.emplace(QDir(outDir_).filePath(scratchPrefix + QStringLiteral("XXXXXX")));
    if (!scratch_->isValid()) {
        error = tr("%1: cannot write in this folder: %2").arg(outDir_, scratch_->errorString());
        return false;
    }
    if (!lock_.take(scratch_->path()) || !QDir(scratch_->path()).mkdir(picturesFolder) || !QDir(scratch_->path()).mkdir(stashFolder)) {
        error = tr("%1: cannot write in this folder: %2").arg(outDir_, OutputFiles::systemError(errno));
        return false;
    }
    return true;
}

bool NewExport::write(const QString& name, const QByteArray& bytes, QString& error) const
{
    if (SystemFiles::writeNewFile(scratchPath(name), bytes))
        return true;
    error = tr("%1: %2").arg(targetPath(name), OutputFiles::systemError(errno));
    return false;
}

bool NewExport::putInPlace(const QStringList& files, QString& error)
{
    QList<Move> done;
    const auto undo = [&] {
        for (auto move = done.crbegin(); move != done.crend(); ++move)
            rename(move->to, move->from);
    };
    // Out of the way, into this run's folder; into place, never over
    // anything (what was there has gone out of the way).
    const auto move = [&](const QString& from, const QString& to) {
        if (rename(from, to)) {
            done.append({from, to});
            return true;
        }
        error = tr("%1: %2").arg(to, OutputFiles::systemError(errno));
        return false;
    };
    const auto place = [&](const QString& from, const QString& to) {
        if (!OutputFiles::place(from, to, false, error))
            return false;
        done.append({from, to});
        return true;
    };

    if (!RegularFile::entryExists(targetPath(picturesFolder)) && !SystemFiles::makeFolder(targetPath(picturesFolder))) {
        error = tr("%1: cannot make the folder: %2").arg(targetPath(picturesFolder), OutputFiles::systemError(errno));
        return false;
    }
    if (!QDir(scratchPath(stashFolder)).mkdir(picturesFolder)) {
        error = tr("%1: cannot write in this folder").arg(outDir_);
        return false;
    }
    // The files in the order they go in; the earlier ones go out of the way
    // in the reverse order, the file naming the others first.
    for (auto file = files.crbegin(); file != files.crend(); ++file) {
        const QString target = targetPath(*file);
        if (!RegularFile::entryExists(target))
            continue;
        if (!replace_) {
            error = tr("%1 already exists; give --force to replace it").arg(target);
            undo();
            return false;
        }
        if (!move(target, QDir(scratchPath(stashFolder)).filePath(*file))) {
            undo();
            return false;
        }
    }
    for (const QString& file : files) {
        if (!place(scratchPath(file), targetPath(file))) {
            undo();
            return false;
        }
    }
    // The renames are lasting only once the folders holding them are.
    SystemFiles::syncFolder(targetPath(picturesFolder));
    SystemFiles::syncFolder(outDir_);
    return true;
}
