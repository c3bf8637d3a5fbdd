// The question-bank editor on a large bank: opening a bank of 10,000
// questions, 3,000 of them with a picture (the editor reads the rows but no
// picture), and filtering its list by category and by a word of the text,
// which must stay under 50 ms to keep typing in the search field smooth.
// The heap the opened document holds is reported beside the size of the
// bank's texts. The live check of the whole bank is timed as well, the first
// one after opening apart.

#include "bench/SyntheticBank.h"

#include "editor/document/BankDocument.h"
#include "editor/document/DocumentFiles.h"
#include "editor/document/DocumentProblems.h"
#include "editor/document/QuestionFilter.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <malloc.h>

#include <memory>

namespace {

constexpr int questionCount = 10000;
constexpr int pictureCount = 3000;

size_t heapBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The bank, made once for every benchmark of the run.
const QString& bankPath()
{
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString file = folder.filePath(QStringLiteral("velmora.db"));
        SyntheticBankOptions options;
        options.questions = questionCount;
        options.pictureShare = double(pictureCount) / questionCount;
        options.pictureBytes = 20 * 1024;
        writeSyntheticBank(file, options);
        return file;
    }();
    return path;
}

void openedInto(BankDocument& document)
{
    const DocumentFiles::Opened opened = DocumentFiles::open(bankPath(), QString());
    if (!opened.ok)
        throw std::runtime_error(opened.error.toStdString());
    document.load(opened.content, opened.pictures);
}

void openBank(benchmark::State& state)
{
    bankPath();
    size_t held = 0;
    qint64 textBytes = 0;
    for (auto _ : state) {
        const size_t before = heapBytes();
        BankDocument document;
        openedInto(document);
        held = heapBytes() - before;
        state.PauseTiming();
        textBytes = 0;
        for (const DocumentQuestion& question : document.questions())
            textBytes += question.row.text.size() * 2;
        state.ResumeTiming();
    }
    state.counters["heap_MB"] = double(held) / (1024 * 1024);
    state.counters["text_MB"] = double(textBytes) / (1024 * 1024);
}
BENCHMARK(openBank)->Unit(benchmark::kMillisecond);

void filterList(benchmark::State& state, const QuestionFilter& filter)
{
    BankDocument document;
    openedInto(document);
    qsizetype shown = 0;
    for (auto _ : state)
        shown = filter.apply(document.questions(), {}).size();
    state.counters["shown"] = double(shown);
}

void filterByCategory(benchmark::State& state)
{
    QuestionFilter filter;
    filter.category = syntheticCategoryNumber(3);
    filterList(state, filter);
}
BENCHMARK(filterByCategory)->Unit(benchmark::kMillisecond);

void filterByText(benchmark::State& state)
{
    QuestionFilter filter;
    filter.search = QStringLiteral("9");
    filter.withPicture = true;
    filterList(state, filter);
}
BENCHMARK(filterByText)->Unit(benchmark::kMillisecond);

void findProblems(benchmark::State& state)
{
    BankDocument document;
    openedInto(document);
    for (auto _ : state)
        benchmark::DoNotOptimize(DocumentProblems::check(document).all().size());
}
BENCHMARK(findProblems)->Unit(benchmark::kMillisecond);

// The first check after opening also measures every picture from its
// headers (one page of the bank each); later checks reuse the measures.
void findProblemsFirstTime(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto document = std::make_unique<BankDocument>();
        openedInto(*document);
        state.ResumeTiming();
        benchmark::DoNotOptimize(DocumentProblems::check(*document).all().size());
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(findProblemsFirstTime)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
