#include "exam/ExamRandom.h"

#include <chrono>

ExamRandom::ExamRandom(std::optional<unsigned> fixedSeed)
    : fixedSeed_(fixedSeed)
{
    seedFromClock();
}

void ExamRandom::seedFromClock()
{
    if (fixedSeed_) {
        engine_.seed(*fixedSeed_);
        return;
    }
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    engine_.seed(static_cast<std::mt19937::result_type>(ticks ^ (ticks >> 32)));
}

int ExamRandom::below(int bound)
{
    return std::uniform_int_distribution<int>(0, bound - 1)(engine_);
}
