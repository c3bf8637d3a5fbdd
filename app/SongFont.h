#pragma once

#include <QFont>

// The window's font: 宋体 (SimSun) at the given pixel size. Where SimSun is
// not installed, an installed Song-style CJK font stands in, so that Chinese
// always renders in a Song style.
QFont songFont(int pixelSize, bool bold = false);
