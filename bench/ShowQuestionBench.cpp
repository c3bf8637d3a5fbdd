// Showing a question with a picture (下一题 in the window), against decoding
// that picture alone.

#include "bench/Benchmarks.h"
#include "bench/ClickTiming.h"
#include "bench/RatioTable.h"
#include "bench/SyntheticBank.h"
#include "bench/WindowOnBank.h"

#include "rules/StoredPicture.h"
#include "store/Database.h"
#include "store/Statement.h"

namespace {

void showNextQuestion(benchmark::State& state, const BenchBank& bank)
{
    runGuarded(state, [&] {
        WindowOnBank& window = WindowOnBank::on(bank);
        window.clickTreeEntry(0); // by category, first category, first question
        int previous = -1;
        timeEachClick(
            state,
            [&] {
                // At the end of the set 下一题 shows nothing new: start again.
                if (window.shownNumber() == previous)
                    window.goTo(1);
                previous = window.shownNumber();
            },
            [&] { window.click("btNext"); });
    });
}

void decodePicture(benchmark::State& state, const BenchBank& bank)
{
    runGuarded(state, [&] {
        QByteArray stored;
        {
            Database db(bank.file());
            Statement read(db.handle(), QStringLiteral("select bmp from Subjects where fatherNo = ?1 and "
                                                       "length(bmp) > 0 order by [no] limit 1"));
            read.bindInt64(1, syntheticCategoryNumber(0));
            if (read.step())
                stored = read.columnBlob(0).toByteArray();
        }
        for (auto _ : state)
            benchmark::DoNotOptimize(StoredPicture::decode(stored));
        state.counters["pictureBytes"] = double(stored.size());
    });
}

} // namespace

void registerShowQuestionBenchmarks(const std::vector<BenchBank>& banks)
{
    const BenchBank* bank = largestPicturedBank(banks);
    if (!bank)
        return;
    const std::string name = "show question/" + bank->label;
    benchmark::RegisterBenchmark((name + "/next").c_str(), showNextQuestion, *bank)->UseManualTime()->Iterations(1000);
    benchmark::RegisterBenchmark((name + "/decode").c_str(), decodePicture, *bank)->UseRealTime()->MinTime(0.5);
    RatioTable::addRow({"2. Show the next question (100 KB picture), " + bank->label, RatioTable::Unit::Seconds,
                        RatioTable::Source::time(name + "/next"), RatioTable::Source::time(name + "/decode"), 1.3});
}
