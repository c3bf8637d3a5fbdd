#include "inputs/FuzzInputs.h"

#include "rules/StoredPicture.h"

#include <cstdlib>

namespace FuzzInputs {

void decodePicture(QByteArrayView stored)
{
    const QByteArrayView bitmap = StoredPicture::bitmapBytes(stored);
    // The header rule only ever strips a prefix.
    if (bitmap.size() > stored.size() || bitmap.data() + bitmap.size() != stored.data() + stored.size())
        std::abort();
    QImage image;
    try {
        image = StoredPicture::decode(stored);
    } catch (const StoredPicture::InvalidPicture&) {
        return;
    }
    if (image.isNull())
        return;
    // A decoded picture stays within the size limit, and its pixels are
    // readable end to end (the last one is where a short buffer would show).
    if (qint64(image.width()) * image.height() * 4 > StoredPicture::maxDecodedBytes)
        std::abort();
    (void)image.pixel(image.width() - 1, image.height() - 1);
}

} // namespace FuzzInputs
