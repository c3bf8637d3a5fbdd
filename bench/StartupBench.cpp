// Start-up as whole processes: the program up to its first question on a
// bank, against a Qt program that shows an empty window. Also the peak
// memory of the program on each bank.

#include "bench/Benchmarks.h"
#include "bench/RatioTable.h"

#include <QFile>

#include <chrono>
#include <stdexcept>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct ProcessRun
{
    double seconds = 0;
    long peakBytes = 0;
};

// Runs `program` with `folder` as its working directory and waits for it.
ProcessRun runProcess(const std::string& program, const QString& folder)
{
    const QByteArray dir = QFile::encodeName(folder);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0)
        throw std::runtime_error("fork failed");
    if (child == 0) {
        if (chdir(dir.constData()) == 0)
            execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (wait4(child, &status, 0, &usage) != child)
        throw std::runtime_error("wait4 failed");
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(program + " failed with status " + std::to_string(status));
    return {std::chrono::duration<double>(end - start).count(), usage.ru_maxrss * 1024L};
}

void startProgram(benchmark::State& state, const std::string& program, const BenchBank& bank)
{
    runGuarded(state, [&] {
        long peak = 0;
        for (auto _ : state)
            peak = std::max(peak, runProcess(program, bank.folder).peakBytes);
        state.counters["peakBytes"] = double(peak);
    });
}

} // namespace

void registerStartupBenchmarks(const std::vector<BenchBank>& banks)
{
    for (const BenchBank& bank : banks) {
        const std::string name = "startup/" + bank.label;
        // Adjacent, so that both see the same machine state.
        benchmark::RegisterBenchmark((name + "/program").c_str(), startProgram, std::string(QUENHAR_STARTUP_PROGRAM),
                                     bank)
            ->UseRealTime()
            ->MinTime(2.0);
        benchmark::RegisterBenchmark((name + "/empty window").c_str(), startProgram,
                                     std::string(QUENHAR_EMPTY_WINDOW_PROGRAM), bank)
            ->UseRealTime()
            ->MinTime(2.0);

        RatioTable::addRow({"3. Start-up to the first question, " + bank.label, RatioTable::Unit::Seconds,
                            RatioTable::Source::time(name + "/program"),
                            RatioTable::Source::time(name + "/empty window"), 1.5});
        RatioTable::addRow({"   peak memory of the program (baseline: empty window), " + bank.label,
                            RatioTable::Unit::Bytes, RatioTable::Source::counterOf(name + "/program", "peakBytes"),
                            RatioTable::Source::counterOf(name + "/empty window", "peakBytes"), std::nullopt});
    }
}
