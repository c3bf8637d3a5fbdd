#pragma once

#include "store/Database.h"

#include <QByteArray>
#include <QSize>
#include <QString>

// The pictures of the bank the editor opened, read one row at a time when a
// question is shown or the bank is saved, so that a bank of thousands of
// pictures is never held in memory. The connection stays open for the
// editor's life: after a save replaces the file, it still reads the bank as
// it was opened, which is where the unchanged pictures come from.
class StoredPictures
{
public:
    explicit StoredPictures(const QString& path);

    // The picture bytes of the question in row `rowid`; raises StoreError
    // when the row cannot be read.
    QByteArray read(qint64 rowid);

    // The size of that picture, from its headers alone (one page of the
    // file, not the whole picture); an invalid size when there is no picture
    // the trainer could show.
    QSize size(qint64 rowid);

private:
    Database bank_;
};
