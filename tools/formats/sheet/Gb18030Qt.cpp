#include "tools/formats/sheet/Gb18030.h"

#include "tools/formats/sheet/WholeDecoding.h"

std::optional<QString> decodeGb18030(QByteArrayView bytes)
{
    return decodeWhole(QStringDecoder("GB18030", QStringDecoder::Flag::Stateless), bytes);
}
