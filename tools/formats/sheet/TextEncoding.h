#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// Decodes a spreadsheet saved as text the way Excel and WPS save it on a
// Chinese Windows: "CSV UTF-8" (with a byte order mark), "CSV (逗号分隔)" in
// the local code page (GBK, read as its superset GB18030), "Unicode 文本"
// (UTF-16 with a byte order mark), or UTF-8 without a mark as other
// programs write it.
namespace TextEncoding {

struct Decoded
{
    QString text;
    QString encoding; // the encoding used, for the build report: "UTF-8", "GB18030", "UTF-16"
    QString error;    // set when the bytes are none of those
};

// A byte order mark decides; without one, UTF-8 when the bytes are valid
// UTF-8, else GB18030 (decodeGb18030).
Decoded decode(const QByteArray& bytes);

} // namespace TextEncoding
