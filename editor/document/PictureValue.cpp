#include "editor/document/PictureValue.h"

#include "editor/document/StoredPictures.h"

#include "tools/pictures/PictureConverter.h"

#include "store/StoreError.h"

#include "rules/StoredPicture.h"

#include <QDir>

PictureValue PictureValue::made(Kind kind)
{
    PictureValue value;
    value.kind = kind;
    value.measure_ = std::make_shared<Measure>();
    return value;
}

PictureValue PictureValue::stored(std::shared_ptr<StoredPictures> bank, qint64 rowid)
{
    PictureValue value = made(Kind::Stored);
    value.bank = std::move(bank);
    value.rowid = rowid;
    return value;
}

PictureValue PictureValue::fromFile(const QString& path)
{
    PictureValue value = made(Kind::File);
    value.file = path;
    return value;
}

PictureValue PictureValue::fromBytes(const QByteArray& bytes)
{
    PictureValue value = made(Kind::Bytes);
    value.bytes = bytes;
    return value;
}

QSize PictureValue::size() const
{
    if (!measure_)
        return {};
    if (!measure_->done) {
        measure_->size = measure();
        measure_->done = true;
    }
    return measure_->size;
}

QSize PictureValue::measure() const
{
    switch (kind) {
    case Kind::None:
        return {};
    case Kind::Bytes:
        return StoredPicture::declaredSize(bytes, bytes.size());
    case Kind::File:
        return PictureConverter::storedSize(file);
    case Kind::Stored:
        try {
            return bank->size(rowid);
        } catch (const StoreError&) {
            return {}; // said when the picture is shown or saved
        }
    }
    return {};
}

std::optional<QByteArray> PictureValue::storedValue(QString& error) const
{
    switch (kind) {
    case Kind::None:
        return std::nullopt;
    case Kind::Bytes:
        return bytes;
    case Kind::File: {
        const PictureConverter::Result converted = PictureConverter::storedPicture(file);
        if (!converted.stored)
            error = tr("the picture %1 %2").arg(QDir::toNativeSeparators(file), converted.error);
        return converted.stored;
    }
    case Kind::Stored:
        try {
            return bank->read(rowid);
        } catch (const StoreError& failure) {
            error = tr("the picture cannot be read from the opened bank: %1").arg(failure.text());
            return std::nullopt;
        }
    }
    return std::nullopt;
}
