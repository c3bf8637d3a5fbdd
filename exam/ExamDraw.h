#pragma once

#include <QList>

class ExamRandom;

// Draws `count` distinct positions 0 <= r < population, in drawing order:
// each draw is uniform over the whole population, and a position drawn
// before is drawn again. The caller guarantees count < population.
QList<int> drawDistinctPositions(int population, int count, ExamRandom& random);
