#include "tools/pictures/BitmapEncoder.h"

#include <QHash>
#include <QList>
#include <QtEndian>

namespace {

constexpr int fileHeaderSize = 14;
constexpr int infoHeaderSize = 40;
constexpr qint32 pixelsPerMetre = 2835; // 72 dpi
constexpr int maxPaletteColours = 256;

enum Compression : quint32 { Rgb = 0, Rle8 = 1 };

int stride(int width, int bitCount)
{
    return ((width * bitCount + 31) / 32) * 4;
}

// The file and info headers, the palette and the pixel data.
QByteArray bitmapFile(const QImage& image, quint16 bitCount, Compression compression, const QList<QRgb>& palette,
                      const QByteArray& pixels)
{
    const int paletteBytes = int(palette.size()) * 4;
    const int pixelOffset = fileHeaderSize + infoHeaderSize + paletteBytes;
    QByteArray bmp(pixelOffset, '\0');
    char* out = bmp.data();
    out[0] = 'B';
    out[1] = 'M';
    qToLittleEndian<quint32>(quint32(pixelOffset + pixels.size()), out + 2);
    qToLittleEndian<quint32>(quint32(pixelOffset), out + 10);
    qToLittleEndian<quint32>(infoHeaderSize, out + 14);
    qToLittleEndian<qint32>(image.width(), out + 18);
    qToLittleEndian<qint32>(image.height(), out + 22); // positive: rows run bottom-up
    qToLittleEndian<quint16>(1, out + 26);
    qToLittleEndian<quint16>(bitCount, out + 28);
    qToLittleEndian<quint32>(compression, out + 30);
    qToLittleEndian<quint32>(quint32(pixels.size()), out + 34);
    qToLittleEndian<qint32>(pixelsPerMetre, out + 38);
    qToLittleEndian<qint32>(pixelsPerMetre, out + 42);
    qToLittleEndian<quint32>(quint32(palette.size()), out + 46); // colours used
    char* entry = out + fileHeaderSize + infoHeaderSize;
    for (QRgb colour : palette) {
        entry[0] = char(qBlue(colour));
        entry[1] = char(qGreen(colour));
        entry[2] = char(qRed(colour));
        entry += 4;
    }
    return bmp + pixels;
}

// One row of palette indexes run-length encoded: runs of one index as
// (count, index), stretches of differing indexes in absolute mode
// (0, count, indexes, padded to an even length), then the end of the line.
void appendRle8Row(const uchar* row, int width, QByteArray& out)
{
    const auto runAt = [&](int x) {
        int run = 1;
        while (x + run < width && run < 255 && row[x + run] == row[x])
            ++run;
        return run;
    };
    int x = 0;
    while (x < width) {
        const int run = runAt(x);
        if (run >= 2) {
            out.append(char(run));
            out.append(char(row[x]));
            x += run;
            continue;
        }
        int literal = 1;
        while (x + literal < width && literal < 255 && runAt(x + literal) < 2)
            ++literal;
        if (literal < 3) { // absolute mode needs at least three
            for (int i = 0; i < literal; ++i) {
                out.append(char(1));
                out.append(char(row[x + i]));
            }
        } else {
            out.append(char(0));
            out.append(char(literal));
            out.append(reinterpret_cast<const char*>(row + x), literal);
            if (literal % 2 != 0)
                out.append(char(0));
        }
        x += literal;
    }
    out.append(char(0)); // end of line
    out.append(char(0));
}

} // namespace

namespace BitmapEncoder {

QByteArray bitmap24(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int rowBytes = stride(rgb.width(), 24);
    QByteArray pixels(qsizetype(rowBytes) * rgb.height(), '\0');
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar* source = rgb.constScanLine(rgb.height() - 1 - y);
        char* row = pixels.data() + qsizetype(y) * rowBytes;
        for (int x = 0; x < rgb.width(); ++x) {
            row[3 * x] = char(source[3 * x + 2]); // blue, green, red
            row[3 * x + 1] = char(source[3 * x + 1]);
            row[3 * x + 2] = char(source[3 * x]);
        }
    }
    return bitmapFile(rgb, 24, Rgb, {}, pixels);
}

QByteArray bitmap8(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, uchar> indexes;
    QList<QRgb> palette;
    QImage indexed(rgb.size(), QImage::Format_Grayscale8); // one byte per pixel, holding its index
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* target = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = source[x] | 0xff000000;
            auto found = indexes.constFind(colour);
            if (found == indexes.constEnd()) {
                if (palette.size() == maxPaletteColours)
                    return {};
                found = indexes.insert(colour, uchar(palette.size()));
                palette.append(colour);
            }
            target[x] = *found;
        }
    }

    const int rowBytes = stride(rgb.width(), 8);
    QByteArray plain(qsizetype(rowBytes) * rgb.height(), '\0');
    QByteArray rle;
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar* row = indexed.constScanLine(rgb.height() - 1 - y);
        std::copy(row, row + rgb.width(), plain.data() + qsizetype(y) * rowBytes);
        appendRle8Row(row, rgb.width(), rle);
    }
    rle.append(char(0)); // end of the bitmap
    rle.append(char(1));
    return rle.size() < plain.size() ? bitmapFile(rgb, 8, Rle8, palette, rle)
                                     : bitmapFile(rgb, 8, Rgb, palette, plain);
}

QByteArray smallest(const QImage& image)
{
    const QByteArray palette = bitmap8(image);
    QByteArray full = bitmap24(image);
    // A tiny picture may take less room than its palette does.
    return !palette.isEmpty() && palette.size() < full.size() ? palette : full;
}

} // namespace BitmapEncoder
