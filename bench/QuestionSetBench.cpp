// Opening a question set with the program's record set, against the limit:
// a plain SQLite loop stepping the same rows and reading only their small
// fields (never the picture).

#include "bench/Benchmarks.h"
#include "bench/PlainScan.h"
#include "bench/RatioTable.h"
#include "bench/SyntheticBank.h"

#include "rules/Statements.h"
#include "store/Database.h"
#include "store/RecordSet.h"

#include <optional>
#include <string>

namespace {

struct QuestionSet
{
    std::string label;
    QString sql; // as the program runs it
    std::optional<int> fatherNo;
    std::string limitSql; // the same rows, small fields only
};

std::vector<QuestionSet> questionSets()
{
    const std::string smallFields = "select [no], subject, result, classNo, passOnly, fatherNo from Subjects";
    return {
        {"all questions", Statements::allSubjects(), std::nullopt, smallFields},
        {"one category", Statements::subjectsOfClass(), syntheticCategoryNumber(0),
         smallFields + " where fatherNo = ?1"},
        {"must-answer set", Statements::mustAnswerSubjects(), std::nullopt, smallFields + " where passOnly = 1"},
    };
}

void openSet(RecordSet& records, const QuestionSet& set)
{
    records.setSql(set.sql); // closes the set opened before
    if (set.fatherNo)
        records.setParameter(QStringLiteral("fatherNo"), QString::number(*set.fatherNo));
    records.open();
}

void openWithRecordSet(benchmark::State& state, const BenchBank& bank, const QuestionSet& set)
{
    runGuarded(state, [&] {
        Database db(bank.file());
        RecordSet records(db);
        openSet(records, set); // untimed: the bank's pages into the page cache
        for (auto _ : state)
            openSet(records, set);

        // A set of its own, so that no memory of an earlier set is reused;
        // the connection (and its page cache) stays as the runs left it.
        records.close();
        const size_t before = allocatedBytes();
        RecordSet measured(db);
        openSet(measured, set);
        state.counters["heldBytes"] = double(allocatedBytes() - before);
        state.counters["rows"] = measured.recordCount();
    });
}

void stepLimit(benchmark::State& state, const BenchBank& bank, const QuestionSet& set)
{
    runGuarded(state, [&] {
        Database db(bank.file());
        const auto step = [&] {
            return set.fatherNo ? PlainScan::run(db.handle(), set.limitSql.c_str(), {*set.fatherNo})
                                : PlainScan::run(db.handle(), set.limitSql.c_str());
        };
        PlainScan scan = step(); // untimed: the bank's pages into the page cache
        for (auto _ : state)
            scan = step();
        state.counters["valueBytes"] = double(scan.valueBytes);
        state.counters["rows"] = double(scan.rows);
    });
}

} // namespace

void registerQuestionSetBenchmarks(const std::vector<BenchBank>& banks)
{
    for (const BenchBank& bank : banks) {
        if (!bank.allPictured)
            continue;
        for (const QuestionSet& set : questionSets()) {
            const std::string name = "open/" + bank.label + "/" + set.label;
            benchmark::RegisterBenchmark((name + "/RecordSet").c_str(), openWithRecordSet, bank, set)
                ->UseRealTime()
                ->MinTime(0.5);
            benchmark::RegisterBenchmark((name + "/limit").c_str(), stepLimit, bank, set)->UseRealTime()->MinTime(0.5);

            const std::string measure = "1. Open " + set.label + ", " + bank.label;
            RatioTable::addRow({measure + ": time", RatioTable::Unit::Seconds,
                                RatioTable::Source::time(name + "/RecordSet"),
                                RatioTable::Source::time(name + "/limit"), 1.5});
            RatioTable::addRow({measure + ": memory growth", RatioTable::Unit::Bytes,
                                RatioTable::Source::counterOf(name + "/RecordSet", "heldBytes"),
                                RatioTable::Source::counterOf(name + "/limit", "valueBytes"), 3.0});
        }
    }
}
