#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The window's font: 宋体 (SimSun) at the given pixel size. Where SimSun is
// not installed, an installed Song-style CJK font stands in, so that Chinese
// always renders in a Song style.
inline QFont songFont(int pixelSize, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("NSimSun"),
                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN"),
                      QStringLiteral("AR PL UMing TW MBE"), QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
