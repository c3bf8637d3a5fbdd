#include "tools/formats/sheet/TextEncoding.h"

#include "tools/formats/sheet/Gb18030.h"
#include "tools/formats/sheet/WholeDecoding.h"

#include <QStringDecoder>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(TextEncoding)
};

} // namespace

namespace TextEncoding {

Decoded decode(const QByteArray& bytes)
{
    const QByteArrayView view(bytes);
    if (view.startsWith("PK\x03\x04"))
        return {{}, {}, Text::tr("this is an Excel workbook, not text; name it .xlsx")};
    if (view.startsWith("\xD0\xCF\x11\xE0"))
        return {{}, {}, Text::tr("this is an old Excel 97-2003 file (.xls); open it in Excel or WPS and save it as "
                                 "\"Excel 工作簿 (*.xlsx)\" or \"CSV UTF-8 (逗号分隔)\"")};

    const struct
    {
        const char* mark;
        QStringDecoder::Encoding encoding;
        const char* name;
    } marked[] = {
        {"\xEF\xBB\xBF", QStringDecoder::Utf8, "UTF-8"},
        {"\xFF\xFE", QStringDecoder::Utf16LE, "UTF-16"},
        {"\xFE\xFF", QStringDecoder::Utf16BE, "UTF-16"},
    };
    for (const auto& [mark, encoding, name] : marked) {
        if (!view.startsWith(mark))
            continue;
        const auto text = decodeWhole(QStringDecoder(encoding, QStringDecoder::Flag::Stateless),
                                      view.sliced(qstrlen(mark)));
        if (!text)
            return {{}, {}, Text::tr("the file says it is %1 text but is not; save it again as \"CSV UTF-8\"")
                                .arg(QString::fromLatin1(name))};
        return {*text, QString::fromLatin1(name), {}};
    }
    if (const auto text = decodeWhole(QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless), view))
        return {*text, QStringLiteral("UTF-8"), {}};
    if (const auto text = decodeGb18030(view))
        return {*text, QStringLiteral("GB18030"), {}};
    return {{}, {}, Text::tr("the file is not text in UTF-8, GB18030 (GBK) or UTF-16; save it as \"CSV UTF-8\"")};
}

} // namespace TextEncoding
