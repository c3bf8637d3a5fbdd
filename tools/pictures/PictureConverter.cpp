#include "tools/pictures/PictureConverter.h"

#include "tools/pictures/BitmapEncoder.h"
#include "tools/pictures/SvgPicture.h"
#include "tools/content/InputLimits.h"

#include "rules/StoredPicture.h"
#include "store/RegularFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <functional>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(PictureConverter)
};

bool isStoredPicture(const QByteArray& bytes, const QString& suffix)
{
    // An empty .bmp is an empty stored value (a question without a picture
    // that still has a non-null value); an empty file of any other kind is a
    // mistake.
    if (bytes.isEmpty())
        return suffix == QLatin1String("bmp");
    try {
        StoredPicture::decode(bytes);
        return true;
    } catch (const StoredPicture::InvalidPicture&) {
        return false;
    }
}

bool fitsDecodedLimit(const QSize& size)
{
    return qint64(size.width()) * size.height() * 4 <= StoredPicture::maxDecodedBytes;
}

// The picture drawn on a white page, so that transparency ends up white.
QImage onWhite(const QSize& size, const std::function<void(QPainter&)>& draw)
{
    QImage page(size, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    draw(painter);
    return page;
}

PictureConverter::Result failure(const QString& error)
{
    return {std::nullopt, error};
}

PictureConverter::Result fromSvg(const QByteArray& bytes)
{
    if (!SvgPicture::readable())
        return failure(Text::tr("is an SVG picture, which this build of the program cannot read; save it as PNG and "
                                "name that file instead"));
    const SvgPicture picture(bytes);
    if (!picture.isValid())
        return failure(Text::tr("is not a valid SVG picture"));
    const QSize size = picture.size();
    if (size.isEmpty())
        return failure(Text::tr("has no size (give the SVG picture a width and height, or a viewBox)"));
    if (!fitsDecodedLimit(size))
        return failure(Text::tr("is too large (%1 x %2 pixels); make it smaller").arg(size.width()).arg(size.height()));
    return {BitmapEncoder::smallest(onWhite(size, [&](QPainter& painter) { picture.draw(painter); })), {}};
}

PictureConverter::Result fromRaster(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    if (reader.canRead() && !fitsDecodedLimit(reader.size()))
        return failure(Text::tr("is too large (%1 x %2 pixels); make it smaller")
                           .arg(reader.size().width())
                           .arg(reader.size().height()));
    const QImage image = reader.read();
    if (image.isNull())
        return failure(Text::tr("cannot be read as a PNG, JPEG, BMP or SVG picture (%1)").arg(reader.errorString()));
    return {BitmapEncoder::smallest(
                onWhite(image.size(), [&](QPainter& painter) { painter.drawImage(0, 0, image); })),
            {}};
}

} // namespace

namespace PictureConverter {

Result storedPicture(const QString& path)
{
    const RegularFile::Result file = RegularFile::read(path, InputLimits::pictureBytes);
    if (!file.bytes)
        return failure(file.error);
    const QByteArray& bytes = *file.bytes;

    const QString suffix = QFileInfo(path).suffix().toLower();
    if (isStoredPicture(bytes, suffix))
        return {bytes, {}};
    if (suffix == QLatin1String("svg"))
        return fromSvg(bytes);
    return fromRaster(bytes);
}

QSize storedSize(const QString& path)
{
    const bool svg = QFileInfo(path).suffix().toLower() == QLatin1String("svg");
    // The headers of a PNG, BMP or GIF come first; a JPEG's size follows its
    // EXIF block, which is at most 64 KB.
    constexpr qint64 headerBytes = 80 * 1024;
    RegularFile::Result file = svg ? RegularFile::read(path, InputLimits::pictureBytes)
                                   : RegularFile::readPrefix(path, headerBytes);
    if (!file.bytes)
        return {};
    if (svg)
        return SvgPicture(*file.bytes).size();
    const QSize stored = StoredPicture::declaredSize(*file.bytes, QFileInfo(path).size());
    if (stored.isValid())
        return stored;
    QBuffer buffer(&*file.bytes);
    QImageReader reader(&buffer);
    // As read with autoTransform: a photo turned a quarter is stored turned.
    const QSize size = reader.size();
    return reader.transformation().testFlag(QImageIOHandler::TransformationRotate90) ? size.transposed() : size;
}

} // namespace PictureConverter
