// One libFuzzer target: the reader named by LC_FUZZ_READER (fuzzreaders.cpp)
// on every input.

#include "fuzzreaders.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
const fuzzReader *reader = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    reader = findFuzzReader(LC_FUZZ_READER);
    if (!reader) {
        std::fprintf(stderr, "no reader named %s\n", LC_FUZZ_READER);
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    reader->run(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
