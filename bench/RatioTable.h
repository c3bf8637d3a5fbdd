#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

// The one table the benchmarks print: each figure beside the baseline it is
// judged against, both measured in the same run, their ratio and the target
// ratio. Benchmarks register their rows when they register themselves; the
// reporter fills the figures in as the runs come back.
namespace RatioTable {

enum class Unit { Seconds, Bytes };

// A value taken from a benchmark run: its real time per iteration, or one of
// its counters; or a fixed value (a frame's time).
struct Source
{
    std::string benchmark;
    std::string counter; // empty: real time per iteration
    std::optional<double> fixed;

    static Source time(std::string benchmark) { return {std::move(benchmark), {}, {}}; }
    static Source counterOf(std::string benchmark, std::string counter)
    {
        return {std::move(benchmark), std::move(counter), {}};
    }
    static Source constant(double value) { return {{}, {}, value}; }
};

struct Row
{
    std::string measure;
    Unit unit = Unit::Seconds;
    Source figure;
    std::optional<Source> baseline; // none: the figure is reported alone
    std::optional<double> target;   // the ratio figure / baseline may not exceed it
};

void addRow(Row row);

// Prints a line per finished benchmark to the error stream while the runs
// go on, and the table to the output stream at the end.
class Reporter : public benchmark::BenchmarkReporter
{
public:
    bool ReportContext(const Context& context) override;
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    std::optional<double> valueOf(const Source& source) const;

    struct Measured
    {
        double seconds = 0;
        std::map<std::string, double> counters;
    };
    std::map<std::string, Measured> measured_;
    int cores_ = 0;
};

} // namespace RatioTable
