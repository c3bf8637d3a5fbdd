#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

// Turns a picture file into the value a bank stores: a Windows bitmap
// without the 8-byte picture header, in the smallest form the program shows
// exactly (BitmapEncoder: 8-bit palette, RLE8 where smaller, for at most
// 256 colours; 24-bit otherwise). PNG, JPEG and BMP files are read with
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

// The size storedPicture stores the file's picture at, read from the file's
// first bytes where its format allows (an SVG file is read whole), without
// converting it: so that the sizes of many pictures are known cheaply. An
// invalid size when it cannot be told.
QSize storedSize(const QString& path);

} // namespace PictureConverter
