#include "bench/RatioTable.h"

#include <cstdio>

namespace RatioTable {

namespace {

std::vector<Row>& rows()
{
    static std::vector<Row> registered;
    return registered;
}

std::string formatted(Unit unit, std::optional<double> value)
{
    if (!value)
        return "-";
    char text[32];
    if (unit == Unit::Bytes) {
        if (*value >= 1024.0 * 1024.0)
            std::snprintf(text, sizeof text, "%.1f MB", *value / (1024.0 * 1024.0));
        else
            std::snprintf(text, sizeof text, "%.1f KB", *value / 1024.0);
    } else if (*value >= 1.0) {
        std::snprintf(text, sizeof text, "%.2f s", *value);
    } else if (*value >= 1e-3) {
        std::snprintf(text, sizeof text, "%.2f ms", *value * 1e3);
    } else {
        std::snprintf(text, sizeof text, "%.1f us", *value * 1e6);
    }
    return text;
}

} // namespace

void addRow(Row row)
{
    rows().push_back(std::move(row));
}

bool Reporter::ReportContext(const Context& context)
{
    cores_ = context.cpu_info.num_cpus;
    std::fprintf(stderr, "Running on %d cores\n", cores_);
    return true;
}

void Reporter::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs) {
        if (run.error_occurred) {
            std::fprintf(stderr, "%-60s failed: %s\n", run.benchmark_name().c_str(), run.error_message.c_str());
            continue;
        }
        Measured& m = measured_[run.run_name.function_name];
        m.seconds = run.real_accumulated_time / double(run.iterations);
        for (const auto& [name, counter] : run.counters)
            m.counters[name] = counter.value;
        std::fprintf(stderr, "%-60s %12s  (%lld iterations)\n", run.benchmark_name().c_str(),
                     formatted(Unit::Seconds, m.seconds).c_str(), static_cast<long long>(run.iterations));
    }
}

std::optional<double> Reporter::valueOf(const Source& source) const
{
    if (source.fixed)
        return source.fixed;
    const auto run = measured_.find(source.benchmark);
    if (run == measured_.end())
        return std::nullopt;
    if (source.counter.empty())
        return run->second.seconds;
    const auto counter = run->second.counters.find(source.counter);
    if (counter == run->second.counters.end())
        return std::nullopt;
    return counter->second;
}

void Reporter::Finalize()
{
    std::printf("\nQuenhar benchmarks, %d cores: each figure beside its baseline from the same run\n\n", cores_);
    std::printf("%-68s %11s %11s %7s %7s  %s\n", "Measure", "Figure", "Baseline", "Ratio", "Target", "Met");
    std::printf("%s\n", std::string(116, '-').c_str());
    for (const Row& row : rows()) {
        const std::optional<double> figure = valueOf(row.figure);
        const std::optional<double> baseline = row.baseline ? valueOf(*row.baseline) : std::nullopt;
        std::string ratio = "-";
        std::string target = "-";
        std::string met;
        if (figure && baseline && *baseline > 0) {
            char text[32];
            std::snprintf(text, sizeof text, "%.2f", *figure / *baseline);
            ratio = text;
            if (row.target) {
                std::snprintf(text, sizeof text, "%.2f", *row.target);
                target = text;
                met = *figure / *baseline <= *row.target ? "yes" : "NO";
            }
        }
        std::printf("%-68s %11s %11s %7s %7s  %s\n", row.measure.c_str(), formatted(row.unit, figure).c_str(),
                    formatted(row.unit, baseline).c_str(), ratio.c_str(), target.c_str(), met.c_str());
    }
    std::fflush(stdout);
}

} // namespace RatioTable
