// The libFuzzer targets: one program, run under the name of a target
// ("fuzz_herb_list", a link to it), runs the reader of that name
// (fuzzreaders.cpp) on every input. One program links once, where a program
// for every reader would link the libraries forty times over.

#include "fuzzreaders.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Whether the archive mutator unpacks and repacks inputs (archivemutator.cpp).
extern bool archiveMutation;

namespace {
const fuzzReader *reader = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    const char *self = std::strrchr((*argv)[0], '/');
    self = self ? self + 1 : (*argv)[0];
    const char *prefix = "fuzz_";
    const char *name = std::strncmp(self, prefix, std::strlen(prefix)) == 0 ? self + std::strlen(prefix) : self;
    reader = findFuzzReader(name);
    if (!reader) {
        std::fprintf(stderr, "no reader named %s: run the program as fuzz_READER (see targets.txt)\n", name);
        std::exit(2);
    }
    archiveMutation = std::strcmp(reader->name, "archive") == 0 || std::strcmp(reader->name, "update_archive") == 0;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    reader->run(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
