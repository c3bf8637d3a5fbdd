#pragma once

#include <optional>
#include <random>

// The random source of the exam draw: uniform integers from a Mersenne
// twister, seeded from the clock at every draw. A fixed seed makes every draw
// repeat exactly, for tests.
class ExamRandom
{
public:
    explicit ExamRandom(std::optional<unsigned> fixedSeed = std::nullopt);

    // Seeds from the clock, or with the fixed seed when there is one.
    void seedFromClock();

    // A uniformly drawn integer r with 0 <= r < bound (bound > 0).
    int below(int bound);

private:
    std::optional<unsigned> fixedSeed_;
    std::mt19937 engine_;
};
