#include "bench/BenchBanks.h"

#include "rules/BankFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

QString bankFileIn(const QString& folder)
{
    return QDir(folder).filePath(BankFile::name());
}

} // namespace

QString BenchBank::file() const
{
    return bankFileIn(folder);
}

std::vector<BenchBank> benchBanks()
{
    std::vector<BenchBank> banks;
    const QString sample = qEnvironmentVariable("QUENHAR_SAMPLE_BANK");
    if (!sample.isEmpty() && QFileInfo::exists(bankFileIn(sample)))
        banks.push_back({"sample", sample, 0, false});

    const QString generated = qEnvironmentVariable("QUENHAR_BENCH_BANKS");
    if (!generated.isEmpty()) {
        static const QRegularExpression name(QStringLiteral("^(q|sample)(\\d+)$"));
        const QDir dir(generated);
        for (const QString& entry : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QRegularExpressionMatch match = name.match(entry);
            if (!match.hasMatch() || !QFileInfo::exists(bankFileIn(dir.filePath(entry))))
                continue;
            banks.push_back({entry.toStdString(), dir.filePath(entry), match.captured(2).toInt(),
                             match.captured(1) == QLatin1String("q")});
        }
    }
    std::stable_sort(banks.begin(), banks.end(),
                     [](const BenchBank& a, const BenchBank& b) { return a.questions < b.questions; });
    return banks;
}

const BenchBank* largestPicturedBank(const std::vector<BenchBank>& banks)
{
    const BenchBank* largest = nullptr;
    for (const BenchBank& bank : banks)
        if (bank.allPictured && (!largest || bank.questions > largest->questions))
            largest = &bank;
    return largest;
}
