#include "rules/StoredPicture.h"

#include <QtEndian>

#include <cstdlib>

namespace {

constexpr qsizetype pictureHeaderSize = 8;
constexpr qsizetype fileHeaderSize = 14;
constexpr quint32 coreHeaderSize = 12;

// BITMAPINFOHEADER compression codes.
enum Compression : quint32 { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3 };

quint16 u16(QByteArrayView bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.data() + offset);
}

quint32 u32(QByteArrayView bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.data() + offset);
}

qint32 i32(QByteArrayView bytes, qsizetype offset)
{
    return qFromLittleEndian<qint32>(bytes.data() + offset);
}

[[noreturn]] void invalid()
{
    throw StoredPicture::InvalidPicture();
}

struct BitmapLayout
{
    quint32 pixelOffset = 0;
    qint64 width = 0;
    qint64 height = 0; // negative for top-down rows
    quint16 bitCount = 0;
    quint32 compression = Rgb;
};

// Reads the headers at the start of `bmp`, a bitmap of `fileSize` bytes (of
// which `bmp` may hold only the first ones).
BitmapLayout readLayout(QByteArrayView bmp, qint64 fileSize)
{
    if (bmp.size() < fileHeaderSize + qsizetype(coreHeaderSize) || bmp[0] != 'B' || bmp[1] != 'M')
        invalid();

    BitmapLayout layout;
    layout.pixelOffset = u32(bmp, 10);
    const quint32 infoSize = u32(bmp, 14);
    quint16 planes = 0;
    if (infoSize == coreHeaderSize) {
        layout.width = u16(bmp, 18);
        layout.height = u16(bmp, 20);
        planes = u16(bmp, 22);
        layout.bitCount = u16(bmp, 24);
    } else {
        // BITMAPINFOHEADER and its later versions (V2, V3, V4, V5).
        if (infoSize < 40 || infoSize > 124 || bmp.size() < fileHeaderSize + qsizetype(infoSize))
            invalid();
        layout.width = i32(bmp, 18);
        layout.height = i32(bmp, 22);
        planes = u16(bmp, 26);
        layout.bitCount = u16(bmp, 28);
        layout.compression = u32(bmp, 30);
    }
    if (planes != 1 || layout.width <= 0 || layout.height == 0)
        invalid();
    if (layout.pixelOffset < fileHeaderSize + infoSize || layout.pixelOffset > quint64(fileSize))
        invalid();
    return layout;
}

void checkLayout(const BitmapLayout& layout, qint64 fileSize)
{
    // Each side is bounded first: a width and height of 2^31 each would
    // overflow the product.
    const qint64 rows = std::llabs(layout.height);
    constexpr qint64 maxPixels = StoredPicture::maxDecodedBytes / 4;
    if (layout.width > maxPixels || rows > maxPixels || layout.width * rows > maxPixels)
        invalid();

    switch (layout.compression) {
    case Rgb:
        if (layout.bitCount != 1 && layout.bitCount != 4 && layout.bitCount != 8 && layout.bitCount != 16
            && layout.bitCount != 24 && layout.bitCount != 32)
            invalid();
        break;
    case BitFields:
        if (layout.bitCount != 16 && layout.bitCount != 32)
            invalid();
        break;
    case Rle8:
    case Rle4:
        // Run-length data has no fixed size to check, and cannot be top-down.
        if (layout.bitCount != (layout.compression == Rle8 ? 8 : 4) || layout.height < 0)
            invalid();
        return;
    default:
        invalid();
    }

    // Qt's decoder fills missing rows silently; a cut-short file is invalid.
    const qint64 stride = ((layout.width * layout.bitCount + 31) / 32) * 4;
    if (layout.pixelOffset + stride * rows > fileSize)
        invalid();
}

// Whether a stored value of `totalSize` bytes, starting with `start`, begins
// with the picture header.
bool hasPictureHeader(QByteArrayView start, qint64 totalSize)
{
    return start.size() >= pictureHeaderSize && u16(start, 0) == 1 && u16(start, 2) == 0x0100
           && qint64(u32(start, 4)) == totalSize - pictureHeaderSize;
}

} // namespace

namespace StoredPicture {

QByteArrayView bitmapBytes(QByteArrayView stored)
{
    return hasPictureHeader(stored, stored.size()) ? stored.sliced(pictureHeaderSize) : stored;
}

QSize declaredSize(QByteArrayView start, qint64 totalSize)
{
    QByteArrayView bmp = start;
    qint64 bmpSize = totalSize;
    if (hasPictureHeader(start, totalSize)) {
        bmp = start.sliced(pictureHeaderSize);
        bmpSize -= pictureHeaderSize;
    }
    if (bmp.isEmpty())
        return {};
    try {
        const BitmapLayout layout = readLayout(bmp, bmpSize);
        checkLayout(layout, bmpSize);
        return QSize(int(layout.width), int(std::llabs(layout.height)));
    } catch (const InvalidPicture&) {
        return {};
    }
}

QImage decode(QByteArrayView stored)
{
    const QByteArrayView bmp = bitmapBytes(stored);
    if (bmp.isEmpty())
        return {};

    checkLayout(readLayout(bmp, bmp.size()), bmp.size());
    QImage image;
    if (!image.loadFromData(bmp, "BMP"))
        invalid();
    return image;
}

} // namespace StoredPicture
