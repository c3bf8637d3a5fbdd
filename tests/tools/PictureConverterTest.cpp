#include "tools/PictureConverter.h"

#include "rules/StoredPicture.h"

#include "support/TestBank.h"
#include "ToolFixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

class PictureConverterTest : public ::testing::Test
{
protected:
    // Writes `bytes` as `name` and converts it.
    PictureConverter::Result convert(const QString& name, const QByteArray& bytes)
    {
        const QString path = QDir(dir_.path()).filePath(name);
        writeFile(path, bytes);
        return PictureConverter::storedPicture(path);
    }

    // A picture with a red left half and a blue right half.
    static QImage twoColours(int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::blue);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width / 2; ++x)
                image.setPixel(x, y, qRgb(255, 0, 0));
        return image;
    }

    // The stored value is a 24-bit bitmap without the picture header.
    static void expectPlain24BitBitmap(const QByteArray& stored)
    {
        ASSERT_GE(stored.size(), 54);
        EXPECT_TRUE(stored.startsWith("BM"));
        EXPECT_EQ(qFromLittleEndian<quint16>(stored.constData() + 28), 24);
    }

private:
    QTemporaryDir dir_;
};

} // namespace

TEST_F(PictureConverterTest, convertsAPngTo24BitBitmap)
{
    const auto result = convert(QStringLiteral("sign.png"), encoded(twoColours(10, 6), "PNG"));
    ASSERT_TRUE(result.stored) << result.error.toStdString();
    expectPlain24BitBitmap(*result.stored);
    const QImage image = StoredPicture::decode(*result.stored);
    EXPECT_EQ(image.size(), QSize(10, 6));
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(8, 4), qRgb(0, 0, 255));
}

TEST_F(PictureConverterTest, convertsAJpegTo24BitBitmap)
{
    const auto result = convert(QStringLiteral("photo.jpg"), encoded(twoColours(32, 16), "JPG"));
    ASSERT_TRUE(result.stored) << result.error.toStdString();
    expectPlain24BitBitmap(*result.stored);
    const QImage image = StoredPicture::decode(*result.stored);
    EXPECT_EQ(image.size(), QSize(32, 16));
    // JPEG is lossy: the colour is near, not exact.
    const QColor left = image.pixelColor(3, 8);
    EXPECT_GT(left.red(), 200);
    EXPECT_LT(left.blue(), 60);
}

TEST_F(PictureConverterTest, makesTransparentPartsWhite)
{
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixel(0, 0, qRgba(0, 128, 0, 255));
    const auto result = convert(QStringLiteral("glyph.png"), encoded(image, "PNG"));
    ASSERT_TRUE(result.stored);
    const QImage decoded = StoredPicture::decode(*result.stored);
    EXPECT_EQ(decoded.pixel(0, 0), qRgb(0, 128, 0));
    EXPECT_EQ(decoded.pixel(3, 3), qRgb(255, 255, 255));
}

TEST_F(PictureConverterTest, drawsAnSvgAtItsOwnSizeOnWhite)
{
    const QByteArray svg = R"(<svg xmlns="http://www.w3.org/2000/svg" width="30" height="20">)"
                           R"(<rect x="0" y="0" width="10" height="20" fill="#00ff00"/></svg>)";
    const auto result = convert(QStringLiteral("marking.svg"), svg);
    ASSERT_TRUE(result.stored) << result.error.toStdString();
    expectPlain24BitBitmap(*result.stored);
    const QImage image = StoredPicture::decode(*result.stored);
    EXPECT_EQ(image.size(), QSize(30, 20));
    EXPECT_EQ(image.pixel(5, 10), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(25, 10), qRgb(255, 255, 255));
}

TEST_F(PictureConverterTest, keepsAValidStoredBitmapByteForByte)
{
    const QByteArray plain = makeBitmap(3, 2, 0x123456);
    const QByteArray withHeader = withPictureHeader(makeBitmap(5, 5, 0xabcdef));
    EXPECT_EQ(convert(QStringLiteral("a.bmp"), plain).stored, plain);
    EXPECT_EQ(convert(QStringLiteral("b.bmp"), withHeader).stored, withHeader);
    EXPECT_EQ(convert(QStringLiteral("empty.bmp"), QByteArray()).stored, QByteArray());
}

TEST_F(PictureConverterTest, reportsFilesThatAreNoPicture)
{
    EXPECT_FALSE(convert(QStringLiteral("text.png"), "not a picture").stored);
    EXPECT_FALSE(convert(QStringLiteral("bad.svg"), "<svg").stored);
    EXPECT_FALSE(convert(QStringLiteral("empty.png"), QByteArray()).stored);
    const auto missing = PictureConverter::storedPicture(QStringLiteral("no/such/file.png"));
    EXPECT_FALSE(missing.stored);
    EXPECT_FALSE(missing.error.isEmpty());
}
