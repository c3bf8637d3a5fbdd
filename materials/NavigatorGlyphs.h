#pragma once

#include "materials/DataNavigator.h"

#include <QIcon>

// The small pictures of the navigator's buttons: arrows to move, plus and
// minus, a raised mark to edit, a tick to post, a cross to cancel, a circular
// arrow to refresh. Drawn, so that they look the same whatever fonts exist.
QIcon navigatorGlyph(DataNavigator::Button button);
