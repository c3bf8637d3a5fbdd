#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// Decodes GB18030 (the superset of GBK, the code page of a Chinese Windows);
// nothing when the bytes are not valid GB18030. Qt decodes it only where it
// is built with ICU, as on Linux; the Windows build has no ICU, so there the
// system's own converter (code page 54936) does it (Gb18030Windows.cpp).
std::optional<QString> decodeGb18030(QByteArrayView bytes);
