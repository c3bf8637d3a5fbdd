#include "tools/formats/sheet/Gb18030.h"

#include <windows.h>

std::optional<QString> decodeGb18030(QByteArrayView bytes)
{
    // GB18030 where the system has it (every Windows since XP); else GBK,
    // its two-byte part, which is what Excel saves (Wine has only GBK).
    const UINT gb18030 = IsValidCodePage(54936) ? 54936 : 936;
    if (bytes.isEmpty())
        return QString();
    if (bytes.size() > 0x7fffffff)
        return std::nullopt;
    // MB_ERR_INVALID_CHARS: bytes that are not GB18030 fail the whole text,
    // as Qt's decoder does, instead of turning into replacement characters.
    const int length = MultiByteToWideChar(gb18030, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    QString text(length, Qt::Uninitialized);
    if (MultiByteToWideChar(gb18030, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                            reinterpret_cast<wchar_t*>(text.data()), length)
        != length)
        return std::nullopt;
    return text;
}
