#pragma once

#include "tools/bankfile/RunLock.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// A bank being written: it lives under a hidden temporary name in the
// output's folder (".NAME.XXXXXX.tmp", NAME being the output's file name)
// and is renamed to the output only when complete, so that a failed build or
// import leaves nothing behind and an existing bank is only ever replaced by
// a whole one. Until put in place, the temporary file is removed when this
// object goes.
//
// A run that is killed cannot remove its file. So every run holds a lock on
// its temporary file (RunLock, which the system drops when the process
// ends, however it ends), and the next run for the same output removes the
// temporary files of earlier runs: files in the output's folder with exactly
// that hidden name, regular files owned by the user, last changed before
// this run started and locked by no one. Anything else is left alone: other
// names, links, another user's files, and the file of a run still going.
class NewBankFile
{
    Q_DECLARE_TR_FUNCTIONS(NewBankFile)

public:
    explicit NewBankFile(const QString& output);
    ~NewBankFile();

    NewBankFile(const NewBankFile&) = delete;
    NewBankFile& operator=(const NewBankFile&) = delete;

    // Removes the temporary files killed runs left, then creates the empty
    // temporary file and locks it; false when the folder cannot be written
    // (errorString() says why).
    bool create();
    QString errorString() const { return error_; }

    QString temporaryPath() const { return temporaryPath_; }

    // The temporary files of earlier runs that create() removed.
    const QStringList& removedStaleFiles() const { return removed_; }
    // The journals of a crashed program that putInPlace() removed.
    const QStringList& removedJournals() const { return journals_; }

    // Gives the finished bank the permissions the user's umask gives (not
    // the private ones of a temporary file), removes the rollback journal,
    // WAL log and index a crash left beside the output (refusing while a
    // program uses the bank it replaces), and renames it to the output:
    // atomically replacing an existing file when `replace` is set (a
    // symbolic link is replaced, not written through), refusing to touch
    // any existing entry otherwise. False with errorString() on failure.
    bool putInPlace(bool replace);

    // Whether `fileName` is a temporary name this class makes for `output`.
    static bool isTemporaryNameFor(const QString& fileName, const QString& output);

private:
    void removeStaleFiles();
    bool removeStaleJournals();

    QString output_;
    QString temporaryPath_;
    bool placed_ = false;
    qint64 startedMs_;
    RunLock lock_;
    QStringList removed_;
    QStringList journals_;
    QString error_;
};
