#pragma once

#include <QString>
#include <QTemporaryFile>

// A bank being written: it lives under a hidden temporary name in the
// output's folder and is renamed to the output only when complete, so that
// a failed build or import leaves nothing behind and an existing bank is
// only ever replaced by a whole one. Until put in place, the temporary file
// is removed when this object goes.
class NewBankFile
{
public:
    explicit NewBankFile(const QString& output);

    // Creates the empty temporary file; false when the folder cannot be
    // written (errorString() says why).
    bool create();
    QString errorString() const { return temporary_.errorString(); }

    QString temporaryPath() const { return temporary_.fileName(); }

    // Gives the finished bank the permissions the user's umask gives (not
    // the private ones of a temporary file) and renames it to the output:
    // atomically replacing an existing file when `replace` is set, refusing
    // to touch one otherwise.
    bool putInPlace(bool replace);

private:
    QString output_;
    QTemporaryFile temporary_;
};
