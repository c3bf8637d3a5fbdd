#pragma once

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <chrono>
#include <string>
#include <vector>

// What a user notices: a click slower than one frame.
inline constexpr double frameSeconds = 0.016;

// Sets the counters "median" and "worst" (seconds) of the clicks timed.
void countClickSpread(benchmark::State& state, std::vector<double> seconds);

// Adds the table rows of a click benchmark: its median and its worst click
// beside a frame, the worst judged against it.
void addClickRows(const std::string& measure, const std::string& benchmarkName);

// Times each click alone, as the benchmark's manual time. Before each click,
// untimed: the events the previous click left are processed (its paint), as
// the event loop does between a user's clicks, then `prepare` runs (moving
// back to the start of a set, typing a number). For benchmarks registered
// with UseManualTime().
template <typename Prepare, typename Click>
void timeEachClick(benchmark::State& state, Prepare prepare, Click click)
{
    std::vector<double> seconds;
    for (auto _ : state) {
        QCoreApplication::processEvents();
        prepare();
        const auto start = std::chrono::steady_clock::now();
        click();
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(elapsed);
        seconds.push_back(elapsed);
    }
    countClickSpread(state, std::move(seconds));
}
