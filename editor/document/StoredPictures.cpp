#include "editor/document/StoredPictures.h"

StoredPictures::StoredPictures(const QString& path)
    : bank_(path)
{
}

QByteArray StoredPictures::read(qint64 rowid)
{
    // The row number is an integer the editor read from the bank itself.
    ReadOnlyBank::Rows rows(bank_, QStringLiteral("select bmp from Subjects where rowid = %1").arg(rowid));
    if (!rows.next())
        return {};
    return rows.row().columnBlob(0).toByteArray();
}
