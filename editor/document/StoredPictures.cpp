#include "editor/document/StoredPictures.h"

#include "rules/BankColumns.h"
#include "rules/StoredPicture.h"

#include "store/StoreError.h"

StoredPictures::StoredPictures(const QString& path)
    : opened_(FileIdentity::of(path))
    , bank_(std::make_unique<Database>(path, Database::Mode::Unchanged))
{
}

QByteArray StoredPictures::read(qint64 rowid)
{
    // The row number is an integer the editor read from the bank itself.
    Database::Rows rows(*bank_, QStringLiteral("select %1 from %2 where rowid = %3").arg(Column::bmp, TableName::subjects).arg(rowid));
    if (!rows.next())
        return {};
    return rows.row().columnBlob(0).toByteArray();
}

QSize StoredPictures::size(qint64 rowid)
{
    const auto start = bank_->readValueStart(TableName::subjects, Column::bmp, rowid, StoredPicture::leadingBytes);
    return start ? StoredPicture::declaredSize(start->bytes, start->totalSize) : QSize();
}

bool StoredPictures::readsFrom(const QString& path) const
{
    return !copyFolder_ && opened_.isSameFileAs(FileIdentity::of(path));
}

void StoredPictures::moveToPrivateCopy()
{
    if (copyFolder_)
        return;
    auto folder = std::make_unique<QTemporaryDir>();
    if (!folder->isValid())
        throw StoreError(tr("no temporary folder for a copy of the opened bank: %1").arg(folder->errorString()));
    const QString copy = folder->filePath(QStringLiteral("opened-bank.db"));
    {
        Database target(copy, Database::Mode::NewFile);
        bank_->copyInto(target);
    }
    bank_ = std::make_unique<Database>(copy, Database::Mode::Unchanged);
    copyFolder_ = std::move(folder);
}
