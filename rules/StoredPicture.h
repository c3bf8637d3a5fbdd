#pragma once

#include "store/Failure.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSize>

// The picture format of a question: a Windows bitmap file image, optionally
// preceded by an 8-byte picture header (16-bit 1, 16-bit 0x0100, 32-bit
// length of what follows, all little-endian). The header counts only when
// all three fields hold exactly those values.
namespace StoredPicture {

// A stored value that is not a picture the program can show.
class InvalidPicture : public Failure
{
public:
    InvalidPicture()
        : Failure(QStringLiteral("Bitmap image is not valid"))
    {
    }
};

// The decoded size that no picture may exceed, so that a small file claiming
// huge dimensions cannot make the program allocate without bound.
inline constexpr qint64 maxDecodedBytes = 64 * 1024 * 1024;

// The bitmap part of a stored value: after the header when there is one.
QByteArrayView bitmapBytes(QByteArrayView stored);

// The stored values' leading bytes that declaredSize reads: the picture
// header, the bitmap's file header and its largest info header.
inline constexpr qsizetype leadingBytes = 8 + 14 + 124;

// The size of the picture a stored value of `totalSize` bytes holds, read
// from its first bytes (`start`, at least leadingBytes of them when the value
// is that long) without decoding it, so that the sizes of a bank's pictures
// are known without reading them whole. An invalid size when the headers are
// not those of a bitmap the program can show.
QSize declaredSize(QByteArrayView start, qint64 totalSize);

// Decodes a stored value. An empty value, or a header with nothing after it,
// is no picture and gives a null image. Anything that is not a complete,
// valid bitmap within the size limit raises InvalidPicture.
QImage decode(QByteArrayView stored);

} // namespace StoredPicture
