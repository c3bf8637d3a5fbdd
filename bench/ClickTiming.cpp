#include "bench/ClickTiming.h"

#include "bench/RatioTable.h"

#include <algorithm>

void countClickSpread(benchmark::State& state, std::vector<double> seconds)
{
    if (seconds.empty())
        return;
    std::sort(seconds.begin(), seconds.end());
    state.counters["median"] = seconds[seconds.size() / 2];
    state.counters["worst"] = seconds.back();
}

void addClickRows(const std::string& measure, const std::string& benchmarkName)
{
    RatioTable::addRow({measure + ": median (baseline: a frame)", RatioTable::Unit::Seconds,
                        RatioTable::Source::counterOf(benchmarkName, "median"),
                        RatioTable::Source::constant(frameSeconds), std::nullopt});
    RatioTable::addRow({measure + ": worst (baseline: a frame)", RatioTable::Unit::Seconds,
                        RatioTable::Source::counterOf(benchmarkName, "worst"),
                        RatioTable::Source::constant(frameSeconds), 1.0});
}
