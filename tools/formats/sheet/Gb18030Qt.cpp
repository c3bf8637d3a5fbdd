#include "tools/formats/sheet/Gb18030.h"

#include <QStringDecoder>

std::optional<QString> decodeGb18030(QByteArrayView bytes)
{
    QStringDecoder decoder("GB18030", QStringDecoder::Flag::Stateless);
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}
