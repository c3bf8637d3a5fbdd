// Every click handler on the largest bank: the median and the worst click,
// each beside a frame.

#include "bench/Benchmarks.h"
#include "bench/ClickTiming.h"
#include "bench/WindowOnBank.h"

#include <functional>
#include <random>
#include <string>

namespace {

// Beyond any bank: the go-to box goes to the last question.
constexpr int pastTheEnd = 99999;

struct ClickCase
{
    std::string label;
    int iterations;
    // Called once before the clicks, then before each click (untimed), with
    // whether it is the first call.
    std::function<void(WindowOnBank&, bool first)> prepare;
    std::function<void(WindowOnBank&)> click;
};

std::vector<ClickCase> clickCases()
{
    const auto nothing = [](WindowOnBank&, bool) {};
    auto previous = std::make_shared<int>(-1);
    auto random = std::make_shared<std::mt19937>(8);
    return {
        {"answer", 300, nothing, [](WindowOnBank& w) { w.clickAnAnswer(); }},
        {"next", 300,
         [previous](WindowOnBank& w, bool first) {
             if (first || w.shownNumber() == *previous)
                 w.goTo(1);
             *previous = w.shownNumber();
         },
         [](WindowOnBank& w) { w.click("btNext"); }},
        {"prior", 300,
         [](WindowOnBank& w, bool first) {
             if (first || w.shownNumber() <= 1)
                 w.goTo(pastTheEnd);
         },
         [](WindowOnBank& w) { w.click("btPrior"); }},
        {"go-to", 300,
         [random](WindowOnBank& w, bool) { w.typeGoTo(std::uniform_int_distribution<int>(1, pastTheEnd)(*random)); },
         [](WindowOnBank& w) { w.click("btGo"); }},
        {"category change", 20, nothing, [](WindowOnBank& w) { w.changeCategory(); }},
        {"tree: by category", 10, nothing, [](WindowOnBank& w) { w.clickTreeEntry(0); }},
        {"tree: in sequence", 10, nothing, [](WindowOnBank& w) { w.clickTreeEntry(1); }},
        {"tree: must-answer", 10, nothing, [](WindowOnBank& w) { w.clickTreeEntry(2); }},
    };
}

void timeClickCase(benchmark::State& state, const BenchBank& bank, const ClickCase& clickCase)
{
    runGuarded(state, [&] {
        WindowOnBank& window = WindowOnBank::on(bank);
        window.clickTreeEntry(0); // practice by category, as after start-up
        clickCase.prepare(window, true);
        timeEachClick(
            state, [&] { clickCase.prepare(window, false); }, [&] { clickCase.click(window); });
    });
}

} // namespace

void registerClickBenchmarks(const std::vector<BenchBank>& banks)
{
    const BenchBank* bank = largestPicturedBank(banks);
    if (!bank)
        return;
    for (const ClickCase& clickCase : clickCases()) {
        const std::string name = "click/" + bank->label + "/" + clickCase.label;
        benchmark::RegisterBenchmark(name.c_str(), timeClickCase, *bank, clickCase)
            ->UseManualTime()
            ->Iterations(clickCase.iterations);
        addClickRows("5. Click " + clickCase.label + ", " + bank->label, name);
    }
}
