#include "editor/document/StoredPictures.h"

#include "rules/BankColumns.h"
#include "rules/StoredPicture.h"

StoredPictures::StoredPictures(const QString& path)
    : bank_(path, Database::Mode::Unchanged)
{
}

QByteArray StoredPictures::read(qint64 rowid)
{
    // The row number is an integer the editor read from the bank itself.
    Database::Rows rows(bank_, QStringLiteral("select %1 from %2 where rowid = %3").arg(Column::bmp, TableName::subjects).arg(rowid));
    if (!rows.next())
        return {};
    return rows.row().columnBlob(0).toByteArray();
}

QSize StoredPictures::size(qint64 rowid)
{
    const auto start = bank_.readValueStart(TableName::subjects, Column::bmp, rowid, StoredPicture::leadingBytes);
    return start ? StoredPicture::declaredSize(start->bytes, start->totalSize) : QSize();
}
