#pragma once

#include "tools/bankfile/RunLock.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

// An export being written. Its files go first into a hidden folder of its
// own inside the output folder (".quenhar-export.XXXXXX"), each synced, and
// only when every one is complete are they moved into place, by renames in
// one file system: the bank's files out of the way first and back last, so
// that the output folder never holds a bank file beside pictures of another
// export. A failure while writing (a full disk) leaves the output folder as
// it was; a failure while moving puts the earlier files back. The hidden
// folder goes when this object does.
//
// A killed run cannot remove its folder, so, as for a new bank, every run
// holds a lock on its folder (RunLock, dropped by the system when the
// process ends), and the next export into the same output folder removes the
// folders of earlier runs: exactly that name, real folders owned by the
// user, changed before this run started and locked by no one.
class NewExport
{
    Q_DECLARE_TR_FUNCTIONS(NewExport)

public:
    // `outDir` may be anything that leads to a folder, or missing; its
    // subfolder `pictures` must be a real folder or missing.
    NewExport(const QString& outDir, bool replace);
    ~NewExport();

    NewExport(const NewExport&) = delete;
    NewExport& operator=(const NewExport&) = delete;

    // Makes the output folder when missing, removes the folders of killed
    // runs, and makes this run's folder with its `pictures` subfolder.
    bool create(QString& error);

    // Where a file named `name` (relative to the output folder) is in the
    // output folder, and where it is written first.
    QString targetPath(const QString& name) const;
    QString scratchPath(const QString& name) const;

    // The names among `names` that something already has in the output
    // folder (a dangling symbolic link included).
    QStringList existing(const QStringList& names) const;

    // Writes `bytes` as the file `name` of the export (synced).
    bool write(const QString& name, const QByteArray& bytes, QString& error) const;

    // Moves the files written into place: `files` in order, the file that
    // names the others last. An existing file is replaced only with
    // `replace`. Either all are in place or none.
    bool putInPlace(const QStringList& files, QString& error);

    const QStringList& removedStaleFolders() const { return removed_; }

    static bool isScratchName(const QString& name);

private:
    void removeStaleFolders();

    QString outDir_;
    bool replace_;
    std::optional<QTemporaryDir> scratch_;
    qint64 startedMs_;
    RunLock lock_;
    QStringList removed_;
};
