#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <optional>

// Decodes all of `bytes` with `decoder`; nothing when the decoder does not
// exist here or the bytes are not valid in its encoding.
inline std::optional<QString> decodeWhole(QStringDecoder decoder, QByteArrayView bytes)
{
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}
