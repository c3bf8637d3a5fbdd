#include "exam/ExamDraw.h"

#include "exam/ExamRandom.h"

QList<int> drawDistinctPositions(int population, int count, ExamRandom& random)
{
    QList<int> drawn;
    drawn.reserve(count);
    while (drawn.size() < count) {
        // At most 100 positions: a linear scan is immediate.
        const int position = random.below(population);
        if (!drawn.contains(position))
            drawn.append(position);
    }
    return drawn;
}
