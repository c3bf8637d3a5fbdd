#include "inputs/FuzzInputs.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>

// Replays, through the code the fuzz targets run, every seed input and every
// input a fuzz run once failed on (kept in fuzz/regression/<target>/).
// Passing means none of them crashes, trips a sanitizer or raises an error
// of a type the reader does not document.

namespace {

struct FuzzTarget
{
    const char* name;
    std::function<void(QByteArrayView)> run;
};

const FuzzTarget targets[] = {
    {"picture_fuzzer", FuzzInputs::decodePicture},
    {"bank_file_fuzzer", FuzzInputs::readBankFile},
    {"json_source_fuzzer", FuzzInputs::readJsonSource},
    {"csv_source_fuzzer", FuzzInputs::readCsvSource},
    {"xlsx_source_fuzzer", FuzzInputs::readXlsxSource},
};

QStringList inputsOf(const char* target)
{
    QStringList files;
    for (const char* kind : {"corpus", "regression"}) {
        const QDir dir(QStringLiteral(QUENHAR_FUZZ_DIR "/%1/%2").arg(QLatin1String(kind), QLatin1String(target)));
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
            files << dir.filePath(name);
    }
    return files;
}

class FuzzRegressionTest : public ::testing::TestWithParam<FuzzTarget>
{
};

} // namespace

TEST_P(FuzzRegressionTest, savedInputsAreHandledWithoutFault)
{
    const QStringList files = inputsOf(GetParam().name);
    ASSERT_FALSE(files.isEmpty()) << "no seeds for " << GetParam().name;
    for (const QString& path : files) {
        SCOPED_TRACE(path.toStdString());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        GetParam().run(file.readAll());
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzRegressionTest, ::testing::ValuesIn(targets),
                         [](const ::testing::TestParamInfo<FuzzTarget>& info) { return std::string(info.param.name); });
