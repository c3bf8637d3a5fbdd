#include "rules/StoredPicture.h"

#include "support/TestBank.h"

#include <QBuffer>
#include <QImage>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

void expectInvalid(const QByteArray& stored)
{
    try {
        StoredPicture::decode(stored);
        ADD_FAILURE() << "decoded an invalid picture of " << stored.size() << " bytes";
    } catch (const StoredPicture::InvalidPicture& error) {
        EXPECT_EQ(error.text(), QStringLiteral("Bitmap image is not valid"));
    }
}

QByteArray bitmapOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// Hand-made header of a 24-bit bitmap with the given dimensions and no pixels.
QByteArray bitmapHeaderClaiming(qint32 width, qint32 height)
{
    QByteArray bmp(54, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    qToLittleEndian<quint32>(54, bmp.data() + 2);
    qToLittleEndian<quint32>(54, bmp.data() + 10);
    qToLittleEndian<quint32>(40, bmp.data() + 14);
    qToLittleEndian<qint32>(width, bmp.data() + 18);
    qToLittleEndian<qint32>(height, bmp.data() + 22);
    qToLittleEndian<quint16>(1, bmp.data() + 26);
    qToLittleEndian<quint16>(24, bmp.data() + 28);
    return bmp;
}

} // namespace

TEST(StoredPicture, emptyValuesAndABareHeaderAreNoPicture)
{
    EXPECT_TRUE(StoredPicture::decode(QByteArray()).isNull());
    EXPECT_TRUE(StoredPicture::decode(withPictureHeader(QByteArray())).isNull());
}

TEST(StoredPicture, decodesABitmapWithAndWithoutTheHeader)
{
    const QByteArray bmp = makeBitmap(5, 3, 0x00ff00);
    const QImage plain = StoredPicture::decode(bmp);
    EXPECT_EQ(plain.size(), QSize(5, 3));
    EXPECT_EQ(plain.pixel(4, 2), qRgb(0, 255, 0));
    EXPECT_EQ(StoredPicture::decode(withPictureHeader(bmp)).size(), QSize(5, 3));
}

TEST(StoredPicture, theHeaderCountsOnlyWhenItsLengthMatches)
{
    QByteArray stored = withPictureHeader(makeBitmap(2, 2));
    qToLittleEndian<quint32>(quint32(stored.size() - 8 + 4), stored.data() + 4);
    EXPECT_EQ(StoredPicture::bitmapBytes(stored).size(), stored.size());
    expectInvalid(stored); // read from offset 0, it does not start with "BM"

    QByteArray wrongWord = withPictureHeader(makeBitmap(2, 2));
    wrongWord[2] = 0x02;
    EXPECT_EQ(StoredPicture::bitmapBytes(wrongWord).size(), wrongWord.size());
}

TEST(StoredPicture, decodesEveryBitDepthAndTopDownRows)
{
    QImage source(7, 5, QImage::Format_RGB32);
    source.fill(Qt::blue);
    source.setPixel(0, 0, qRgb(255, 0, 0));
    for (const QImage::Format format : {QImage::Format_Mono, QImage::Format_Indexed8, QImage::Format_RGB888,
                                        QImage::Format_RGB32, QImage::Format_ARGB32}) {
        const QImage converted = source.convertToFormat(format);
        const QImage decoded = StoredPicture::decode(bitmapOf(converted));
        EXPECT_EQ(decoded.size(), source.size()) << format;
    }

    // The same 24-bit bitmap stored top-down: negative height, rows reversed.
    QByteArray bottomUp = makeBitmap(2, 2);
    QImage image(2, 2, QImage::Format_RGB888);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    bottomUp = bitmapOf(image);
    QByteArray topDown = bottomUp;
    qToLittleEndian<qint32>(-2, topDown.data() + 22);
    const qsizetype offset = qFromLittleEndian<quint32>(bottomUp.constData() + 10);
    const qsizetype stride = 8;
    topDown.replace(offset, stride, bottomUp.mid(offset + stride, stride));
    topDown.replace(offset + stride, stride, bottomUp.mid(offset, stride));
    EXPECT_EQ(StoredPicture::decode(topDown).pixel(0, 0), qRgb(255, 0, 0));
}

TEST(StoredPicture, rejectsDamagedAndOversizedBitmaps)
{
    const QByteArray bmp = makeBitmap(40, 30);
    expectInvalid(bmp.left(bmp.size() - 1));           // pixels cut short
    expectInvalid(bmp.left(20));                        // header cut short
    expectInvalid(QByteArray(20, 'x'));                 // random bytes
    expectInvalid(QByteArray("BM"));
    expectInvalid(bitmapHeaderClaiming(60000, 60000));  // would need gigabytes
    expectInvalid(bitmapHeaderClaiming(5000, 5000));    // 100 MB decoded, over the limit
    expectInvalid(bitmapHeaderClaiming(0, 10));
    expectInvalid(bitmapHeaderClaiming(10, 0));
    expectInvalid(withPictureHeader(bmp.left(100)));
}

TEST(StoredPicture, acceptsTheLargestAllowedPicture)
{
    // 4,096 x 4,096 pixels decode to exactly 64 MB.
    QImage image(4096, 4096, QImage::Format_Mono);
    image.fill(0);
    EXPECT_EQ(StoredPicture::decode(bitmapOf(image)).size(), QSize(4096, 4096));
}

// The size read from a value's leading bytes is the decoded picture's size,
// and nothing for every value decode refuses, whatever the value's length.
TEST(StoredPicture, theDeclaredSizeFromTheLeadingBytesIsTheDecodedSize)
{
    QImage source(300, 5, QImage::Format_RGB32);
    source.fill(Qt::blue);
    QByteArray topDown = bitmapOf(source.convertToFormat(QImage::Format_RGB888));
    qToLittleEndian<qint32>(-5, topDown.data() + 22);
    const QByteArray bmp = makeBitmap(40, 30);
    const QByteArray values[] = {
        bitmapOf(source.convertToFormat(QImage::Format_Mono)), bitmapOf(source.convertToFormat(QImage::Format_Indexed8)),
        bitmapOf(source), withPictureHeader(bitmapOf(source)), topDown, makeBitmap(2, 2),
        // refused by decode
        bmp.left(bmp.size() - 1), bmp.left(20), QByteArray(20, 'x'), QByteArray("BM"),
        bitmapHeaderClaiming(5000, 5000), bitmapHeaderClaiming(0, 10), withPictureHeader(bmp.left(100)),
        QByteArray(), withPictureHeader(QByteArray()),
    };
    for (const QByteArray& value : values) {
        QSize decoded;
        try {
            decoded = StoredPicture::decode(value).size();
        } catch (const StoredPicture::InvalidPicture&) {
        }
        const QByteArray start = value.left(StoredPicture::leadingBytes);
        EXPECT_EQ(StoredPicture::declaredSize(start, value.size()), decoded.isEmpty() ? QSize() : decoded)
            << value.size() << " bytes";
    }
}
