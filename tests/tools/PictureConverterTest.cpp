#include "tools/pictures/BitmapEncoder.h"
#include "tools/pictures/PictureConverter.h"
#include "tools/pictures/SvgPicture.h"

#include "rules/StoredPicture.h"

#include "support/TestBank.h"
#include "ToolFixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>

namespace {

class PictureConverterTest : public FolderTest
{
protected:
    // Writes `bytes` as `name` and converts it.
    PictureConverter::Result convert(const QString& name, const QByteArray& bytes)
    {
        writeFile(path(name), bytes);
        return PictureConverter::storedPicture(path(name));
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

    // The stored value is a bitmap without the picture header, of the
    // given bit count and compression (0 none, 1 RLE8).
    static void expectBitmap(const QByteArray& stored, quint16 bitCount, quint32 compression)
    {
        ASSERT_GE(stored.size(), 54);
        EXPECT_TRUE(stored.startsWith("BM"));
        EXPECT_EQ(qFromLittleEndian<quint16>(stored.constData() + 28), bitCount);
        EXPECT_EQ(qFromLittleEndian<quint32>(stored.constData() + 30), compression);
    }
};

} // namespace

// A PNG of few colours and an SVG (drawn at its own size on white) become
// run-length encoded palette bitmaps; transparent parts become white. Each
// shows, through the program's own decoding, the picture it was made from.
TEST_F(PictureConverterTest, convertsPicturesToTheBitmapsThatShowThem)
{
    QImage glyph(4, 4, QImage::Format_ARGB32);
    glyph.fill(Qt::transparent);
    glyph.setPixel(0, 0, qRgba(0, 128, 0, 255));
    const struct
    {
        const char* name;
        QString file;
        QByteArray bytes;
        QSize size;
        bool runLengthPalette; // stored as an RLE8 palette bitmap
        QList<std::pair<QPoint, QRgb>> pixels;
        bool svg = false; // left out where the build reads no SVG (SvgPicture)
    } cases[] = {
        {"a PNG of few colours", QStringLiteral("sign.png"), encoded(twoColours(10, 6), "PNG"), QSize(10, 6), true,
         {{QPoint(1, 1), qRgb(255, 0, 0)}, {QPoint(8, 4), qRgb(0, 0, 255)}}},
        {"an SVG", QStringLiteral("marking.svg"),
         R"(<svg xmlns="http://www.w3.org/2000/svg" width="30" height="20">)"
         R"(<rect x="0" y="0" width="10" height="20" fill="#00ff00"/></svg>)",
         QSize(30, 20), true, {{QPoint(5, 10), qRgb(0, 255, 0)}, {QPoint(25, 10), qRgb(255, 255, 255)}}, true},
        {"a PNG with transparent parts", QStringLiteral("glyph.png"), encoded(glyph, "PNG"), QSize(4, 4), false,
         {{QPoint(0, 0), qRgb(0, 128, 0)}, {QPoint(3, 3), qRgb(255, 255, 255)}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.svg && !SvgPicture::readable())
            continue;
        const auto result = convert(c.file, c.bytes);
        ASSERT_TRUE(result.stored) << result.error.toStdString();
        if (c.runLengthPalette)
            expectBitmap(*result.stored, 8, 1);
        const QImage image = StoredPicture::decode(*result.stored);
        EXPECT_EQ(image.size(), c.size);
        for (const auto& [point, colour] : c.pixels)
            EXPECT_EQ(image.pixel(point), colour) << point.x() << "," << point.y();
    }
}

// A build without Qt SVG refuses an SVG picture, saying so and what to do,
// and tells no size for it.
TEST_F(PictureConverterTest, refusesAnSvgPictureWhereTheBuildReadsNone)
{
    if (SvgPicture::readable())
        GTEST_SKIP() << "this build reads SVG pictures";
    const auto result = convert(QStringLiteral("sign.svg"),
                                R"(<svg xmlns="http://www.w3.org/2000/svg" width="30" height="20"/>)");
    EXPECT_FALSE(result.stored);
    EXPECT_TRUE(result.error.contains(QStringLiteral("SVG picture, which this build of the program cannot read; save "
                                                     "it as PNG")))
        << result.error.toStdString();
    EXPECT_FALSE(PictureConverter::storedSize(path(QStringLiteral("sign.svg"))).isValid());
}

TEST_F(PictureConverterTest, convertsAJpegAndShowsWhatItsDecoderGives)
{
    const QByteArray jpeg = encoded(twoColours(32, 16), "JPG");
    const auto result = convert(QStringLiteral("photo.jpg"), jpeg);
    ASSERT_TRUE(result.stored) << result.error.toStdString();
    const QImage image = StoredPicture::decode(*result.stored);
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), QImage::fromData(jpeg).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(image.size(), QSize(32, 16));
    // JPEG is lossy: the colour is near, not exact.
    const QColor left = image.pixelColor(3, 8);
    EXPECT_GT(left.red(), 200);
    EXPECT_LT(left.blue(), 60);
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

// Each form a picture is stored in shows, through the program's own
// decoding, exactly the picture it was made from: palette bitmaps
// uncompressed or run-length encoded (long runs, short and odd stretches of
// differing pixels, rows of every padding), and 24-bit ones beyond 256
// colours; each the smallest of the forms that hold it.
TEST(BitmapEncoder, everyStoredFormShowsThePicturePixelForPixel)
{
    const auto image = [](int width, int height, const std::function<QRgb(int, int)>& colour) {
        QImage made(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                made.setPixel(x, y, colour(x, y));
        return made;
    };
    const auto noise = [](int count) {
        return [count](int x, int y) { return qRgb((x * 7 + y * 13) % count, (x * 3 + y) % count, 200) | 0xff000000; };
    };
    const struct
    {
        const char* name;
        QImage picture;
        quint16 bitCount;
        quint32 compression;
    } cases[] = {
        {"one colour, rows longer than a run", image(600, 3, [](int, int) { return qRgb(10, 20, 30); }), 8, 1},
        {"stripes and odd widths", image(13, 7, [](int x, int) { return x % 5 < 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255); }), 8, 1},
        {"stretches of differing pixels", image(37, 5, [](int x, int y) { return x < 20 ? qRgb(x * 12, y, 0) : qRgb(0, 0, 0); }), 8, 1},
        {"a single pixel, smaller without a palette", image(1, 1, [](int, int) { return qRgb(1, 2, 3); }), 24, 0},
        {"256 colours in no order", image(64, 64, [](int x, int y) { return qRgb((x * 37 + y * 101) % 256, 0, 9); }), 8, 0},
        {"more than 256 colours", image(40, 40, noise(1000)), 24, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray stored = BitmapEncoder::smallest(c.picture);
        EXPECT_EQ(qFromLittleEndian<quint16>(stored.constData() + 28), c.bitCount);
        EXPECT_EQ(qFromLittleEndian<quint32>(stored.constData() + 30), c.compression);
        EXPECT_LE(stored.size(), BitmapEncoder::bitmap24(c.picture).size());
        const QImage shown = StoredPicture::decode(stored).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown, c.picture);
    }
}
