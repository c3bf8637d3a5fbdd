#include "tools/formats/jet/JetText.h"

#include <QList>

namespace JetText {

QString decode(const QByteArray& stored)
{
    const auto byte = [&stored](qsizetype i) { return char16_t(quint8(stored[i])); };
    QList<char16_t> units;
    units.reserve(stored.size());
    const bool compressed = stored.size() >= 2 && byte(0) == 0xff && byte(1) == 0xfe;
    bool oneByteRun = true;
    for (qsizetype i = compressed ? 2 : 0; i < stored.size();) {
        if (compressed && byte(i) == 0) {
            oneByteRun = !oneByteRun;
            ++i;
        } else if (compressed && oneByteRun) {
            units.append(byte(i));
            ++i;
        } else if (i + 1 < stored.size()) {
            units.append(char16_t(byte(i) | byte(i + 1) << 8));
            i += 2;
        } else {
            break; // half a character: the stored text is damaged
        }
    }
    return QString::fromUtf16(units.constData(), units.size());
}

} // namespace JetText
