#pragma once

#include <QString>

#include <string>
#include <vector>

// The banks the benchmarks run on, each a folder holding a velmora.db (the
// program reads the bank of that name in its working directory). The runner
// script names the folders through the environment:
//   QUENHAR_BENCH_BANKS   folder of generated banks, one sub-folder each,
//                         named q<questions> (q1000, q20000, q100000) or
//                         sample<questions> (a small bank like the sample)
//   QUENHAR_SAMPLE_BANK   folder of the sample bank the build made
struct BenchBank
{
    std::string label; // as shown in benchmark names: "q20000", "sample"
    QString folder;
    int questions = 0;
    bool allPictured = false; // generated with a picture on every question

    QString file() const;
};

// The banks present, smallest first.
std::vector<BenchBank> benchBanks();

// The largest generated bank with a picture on every question, or none.
const BenchBank* largestPicturedBank(const std::vector<BenchBank>& banks);
