#pragma once

#include "bench/BenchBanks.h"

#include <benchmark/benchmark.h>

#include <exception>
#include <vector>

// Each group registers its benchmarks, and the table rows that judge them,
// for the banks present.
void registerQuestionSetBenchmarks(const std::vector<BenchBank>& banks);
void registerStartupBenchmarks(const std::vector<BenchBank>& banks);
void registerShowQuestionBenchmarks(const std::vector<BenchBank>& banks);
void registerClickBenchmarks(const std::vector<BenchBank>& banks);
void registerExamDrawBenchmarks(const std::vector<BenchBank>& banks);

// Runs a benchmark body; an error (a bank that will not open, a failed
// program) marks the benchmark as failed instead of ending the run.
template <typename Body>
void runGuarded(benchmark::State& state, Body body)
{
    try {
        body();
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

// Heap bytes in use now (small and large allocations), for memory growth.
size_t allocatedBytes();
