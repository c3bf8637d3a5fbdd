// The mock exam's draw (its start routine: the draw and the first question),
// against the plain query of the ordinary questions' numbers; and the click
// on the tree entry 模拟考试, which adds the opening message to the draw.

#include "bench/Benchmarks.h"
#include "bench/ClickTiming.h"
#include "bench/PlainScan.h"
#include "bench/RatioTable.h"
#include "bench/WindowOnBank.h"

#include "rules/Statements.h"
#include "store/Database.h"

namespace {

constexpr int examEntry = 3;

void startExam(benchmark::State& state, const BenchBank& bank)
{
    runGuarded(state, [&] {
        WindowOnBank& window = WindowOnBank::on(bank);
        timeEachClick(
            state, [] {}, [&] { window.clickTreeEntry(examEntry); });
    });
}

void drawExam(benchmark::State& state, const BenchBank& bank)
{
    runGuarded(state, [&] {
        WindowOnBank& window = WindowOnBank::on(bank);
        window.clickTreeEntry(examEntry); // the exam page on show
        timeEachClick(
            state, [] {}, [&] { window.restartExam(); });
    });
}

void queryOrdinaryNumbers(benchmark::State& state, const BenchBank& bank)
{
    runGuarded(state, [&] {
        Database db(bank.file());
        const QByteArray sql = Statements::ordinaryNumbers().toUtf8();
        PlainScan scan;
        for (auto _ : state)
            scan = PlainScan::run(db.handle(), sql.constData());
        state.counters["rows"] = double(scan.rows);
    });
}

} // namespace

void registerExamDrawBenchmarks(const std::vector<BenchBank>& banks)
{
    const BenchBank* bank = largestPicturedBank(banks);
    if (!bank)
        return;
    const std::string name = "exam draw/" + bank->label;
    benchmark::RegisterBenchmark((name + "/draw").c_str(), drawExam, *bank)->UseManualTime()->Iterations(20);
    benchmark::RegisterBenchmark((name + "/start exam").c_str(), startExam, *bank)->UseManualTime()->Iterations(10);
    benchmark::RegisterBenchmark((name + "/number query").c_str(), queryOrdinaryNumbers, *bank)
        ->UseRealTime()
        ->MinTime(0.5);
    RatioTable::addRow({"4. Exam draw, " + bank->label, RatioTable::Unit::Seconds,
                        RatioTable::Source::time(name + "/draw"),
                        RatioTable::Source::time(name + "/number query"), 1.5});
    addClickRows("5. Click tree: mock exam, " + bank->label, name + "/start exam");
}
