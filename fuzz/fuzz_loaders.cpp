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
#include "diagnosis/codenames.h"
#include "diagnosis/consultationfile.h"
#include "diagnosis/diagnosisinference.h"
#include "diagnosis/diagnosisnode.h"
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

    diagnosisNode &node = diagnosisNode::instance();
    feed([&node](QIODevice *d) { return node.readGroupFile(d); }, bytes);
    feed([&node](QIODevice *d) { return node.readMapFile(d); }, bytes);
    feed([&node](QIODevice *d) { return node.readTextRules(d); }, bytes);
    feed([&node](QIODevice *d) { return node.readComplaintCatalogue(d); }, bytes);
    feed([&node](QIODevice *d) { return node.readComplaintRestrictions(d); }, bytes);
    feed(loadNameMap, bytes);
    // Whatever the rules became, a run over them ends.
    QString mainsuit;
    QSet<QString> answers;
    if (!parseSymptomTestInput(QString::fromUtf8(bytes.left(200)), &mainsuit, &answers))
        answers = {QStringLiteral("000-0-0"), QStringLiteral("000-0-1"), QStringLiteral("000-0-2"), QStringLiteral("000-0-3")};
    runInference(mainsuit, answers);

    QTemporaryFile file;
    if (file.open()) {
        file.write(bytes);
        file.close();
        prescriptionFile read;
        readPrescriptionFile(file.fileName(), &read);
        QString input;
        readConsultationInput(file.fileName(), &input);
    }
    return 0;
}
