#pragma once

#include <QString>

// The message that ends a mock exam, from the text of the score box: a score
// of at least the pass mark passes; an empty or unreadable score counts as 0.
QString examVerdict(const QString& scoreText);
