#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

// Turns a picture file into the value a bank stores: a 24-bit Windows bitmap
// without the 8-byte picture header. PNG, JPEG and BMP files are read with
// QImage, SVG files are drawn at their own size; transparent parts come out
// white, the page colour the program shows pictures on. A file that already
// is a valid stored picture (a bitmap, with or without the header) is kept
// byte for byte, so that an exported bank builds back unchanged.
namespace PictureConverter {

struct Result
{
    std::optional<QByteArray> stored; // nothing when the file cannot be used
    QString error;
};

Result storedPicture(const QString& path);

// `image` as a 24-bit bottom-up Windows bitmap file image.
QByteArray bitmap24(const QImage& image);

} // namespace PictureConverter
