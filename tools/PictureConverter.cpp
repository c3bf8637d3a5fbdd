#include "tools/PictureConverter.h"

#include "tools/InputLimits.h"

#include "rules/StoredPicture.h"
#include "store/RegularFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <functional>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(PictureConverter)
};

constexpr int fileHeaderSize = 14;
constexpr int infoHeaderSize = 40;
constexpr qint32 pixelsPerMetre = 2835; // 72 dpi

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
    QSvgRenderer renderer(bytes);
    if (!renderer.isValid())
        return failure(Text::tr("is not a valid SVG picture"));
    const QSize size = renderer.defaultSize();
    if (size.isEmpty())
        return failure(Text::tr("has no size (give the SVG picture a width and height, or a viewBox)"));
    if (!fitsDecodedLimit(size))
        return failure(Text::tr("is too large (%1 x %2 pixels); make it smaller").arg(size.width()).arg(size.height()));
    return {PictureConverter::bitmap24(onWhite(size, [&](QPainter& painter) { renderer.render(&painter); })), {}};
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
    return {PictureConverter::bitmap24(
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

QByteArray bitmap24(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int width = rgb.width();
    const int height = rgb.height();
    const int stride = ((width * 24 + 31) / 32) * 4;
    const int pixelBytes = stride * height;

    QByteArray bmp(fileHeaderSize + infoHeaderSize + pixelBytes, '\0');
    char* out = bmp.data();
    out[0] = 'B';
    out[1] = 'M';
    qToLittleEndian<quint32>(quint32(bmp.size()), out + 2);
    qToLittleEndian<quint32>(fileHeaderSize + infoHeaderSize, out + 10);
    qToLittleEndian<quint32>(infoHeaderSize, out + 14);
    qToLittleEndian<qint32>(width, out + 18);
    qToLittleEndian<qint32>(height, out + 22); // positive: rows run bottom-up
    qToLittleEndian<quint16>(1, out + 26);
    qToLittleEndian<quint16>(24, out + 28);
    qToLittleEndian<quint32>(0, out + 30); // uncompressed
    qToLittleEndian<quint32>(quint32(pixelBytes), out + 34);
    qToLittleEndian<qint32>(pixelsPerMetre, out + 38);
    qToLittleEndian<qint32>(pixelsPerMetre, out + 42);

    char* pixels = out + fileHeaderSize + infoHeaderSize;
    for (int y = 0; y < height; ++y) {
        const uchar* source = rgb.constScanLine(height - 1 - y);
        char* row = pixels + qsizetype(y) * stride;
        for (int x = 0; x < width; ++x) {
            row[3 * x] = char(source[3 * x + 2]); // blue, green, red
            row[3 * x + 1] = char(source[3 * x + 1]);
            row[3 * x + 2] = char(source[3 * x]);
        }
    }
    return bmp;
}

} // namespace PictureConverter
