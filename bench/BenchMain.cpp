// quenhar-bench: every benchmark of the program, on the banks the runner
// script names (see BenchBanks.h), printing one table of ratios at the end.

#include "bench/BenchBanks.h"
#include "bench/Benchmarks.h"
#include "bench/RatioTable.h"
#include "bench/WindowOnBank.h"

#include "app/Application.h"

#include <cstdio>

int main(int argc, char** argv)
{
    // The window is shown offscreen unless told otherwise; the programs
    // timed for start-up inherit the setting.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    Application application(argc, argv);

    const std::vector<BenchBank> banks = benchBanks();
    if (banks.empty()) {
        std::fprintf(stderr, "No banks: set QUENHAR_BENCH_BANKS and/or QUENHAR_SAMPLE_BANK (see bench/run.sh)\n");
        return 2;
    }
    registerQuestionSetBenchmarks(banks);
    registerStartupBenchmarks(banks);
    registerShowQuestionBenchmarks(banks);
    registerClickBenchmarks(banks);
    registerExamDrawBenchmarks(banks);

    RatioTable::Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    WindowOnBank::closeKept();
    benchmark::Shutdown();
    return 0;
}
