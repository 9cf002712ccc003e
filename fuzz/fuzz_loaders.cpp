// libFuzzer target: every loader of untrusted-looking input (the knowledge
// files and the user's prescription files) must take any bytes without
// crashing, hanging or reading out of bounds.
//
//   cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DLC_FUZZ=ON
//   cmake --build build-fuzz --target fuzz_loaders && ./build-fuzz/fuzz/fuzz_loaders

#include "acupuncture/acupointdata.h"
#include "analysis/prescriptionfile.h"
#include "knowledge/knowledgearchive.h"
#include "browsers/folkdata.h"
#include "browsers/readertexts.h"
#include "formulas/flowgraph.h"
#include "formulas/formulalibrary.h"
#include "herbs/herbbase.h"
#include "pairs/pairrules.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QTemporaryFile>

#include <cstdint>

namespace {
template <typename Loader>
void feed(Loader loader, const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    loader(&buffer);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_loaders";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);

    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    clearKnowledgeTables();
    feed(loadHerbRecord, bytes);
    feed(loadPairTable, bytes);
    feed(loadCodeDictionary, bytes);
    feed(loadSuperPairs, bytes);
    feed(loadClassicFormulas, bytes);
    feed(loadDiagnosisFormulas, bytes);
    feed(loadFlowFile, bytes);
    feed(loadAcuPoints, bytes);
    feed(loadAcuScript, bytes);
    feed(loadFolkRemedies, bytes);
    feed(loadReaderVerses, bytes);
    loadDoseRanges(QString::fromUtf8(bytes));

    QTemporaryFile file;
    if (file.open()) {
        file.write(bytes);
        file.close();
        prescriptionFile read;
        readPrescriptionFile(file.fileName(), &read);
    }
    return 0;
}
