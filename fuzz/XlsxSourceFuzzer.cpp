#include "inputs/FuzzInputs.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInputs::readXlsxSource(QByteArrayView(data, qsizetype(size)));
    return 0;
}
