#pragma once

#include "store/Database.h"
#include "store/FileIdentity.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// The pictures of the bank the editor opened, read one row at a time when a
// question is shown or the bank is saved, so that a bank of thousands of
// pictures is never held in memory. They are read from the bank as it was
// opened for the editor's life, also after a save replaced the file (the
// unchanged pictures, and those an undo brings back, come from there):
// before a save replaces the opened file, the pictures move to a private
// copy of it, since nothing may hold a file open that is to be replaced
// (Windows refuses to replace an open file).
class StoredPictures
{
    Q_DECLARE_TR_FUNCTIONS(StoredPictures)

public:
    explicit StoredPictures(const QString& path);

    // The picture bytes of the question in row `rowid`; raises StoreError
    // when the row cannot be read.
    QByteArray read(qint64 rowid);

    // The size of that picture, from its headers alone (one page of the
    // file, not the whole picture); an invalid size when there is no picture
    // the trainer could show.
    QSize size(qint64 rowid);

    // Whether the pictures are still read from the file at `path`.
    bool readsFrom(const QString& path) const;

    // Reads on from a private copy of the bank, made now (whole, as SQLite
    // reads it), so that the editor no longer holds the opened file. Raises
    // StoreError when the copy cannot be made; the pictures are then still
    // read from the opened file.
    void moveToPrivateCopy();

private:
    FileIdentity opened_;
    std::unique_ptr<QTemporaryDir> copyFolder_; // declared first: outlives the connection to the copy
    std::unique_ptr<Database> bank_;
};
