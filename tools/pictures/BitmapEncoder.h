#pragma once

#include <QByteArray>
#include <QImage>

// Writes pictures as the Windows bitmaps a bank stores (without the 8-byte
// picture header), in the smallest form the program shows exactly: a
// picture of at most 256 colours as an 8-bit palette bitmap, run-length
// encoded (RLE8) when that is smaller; any other picture, or one so small
// that its palette outweighs its pixels, as a 24-bit bitmap. Every form is
// bottom-up, as RLE8 must be.
namespace BitmapEncoder {

QByteArray smallest(const QImage& image);

QByteArray bitmap24(const QImage& image);

// The 8-bit palette form, uncompressed or RLE8, whichever is smaller; an
// empty array when the picture has more than 256 colours.
QByteArray bitmap8(const QImage& image);

} // namespace BitmapEncoder
