// Times the start-up load of the knowledge base and the hot queries: name
// resolution, pair lookup and whole prescription analyses.
//
//   bench_knowledge [ROUNDS]
//
// Prints one line per measurement: NAME<TAB>VALUE<TAB>UNIT.

#include "analysis/analysisreport.h"
#include "knowledge/knowledgearchive.h"
#include "formulas/formulalibrary.h"
#include "herbs/herbbase.h"
#include "pairs/pairrules.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

namespace {
void report(const char *name, double value, const char *unit)
{
    std::printf("%s\t%.3f\t%s\n", name, value, unit);
}

// The prescriptions of the classic formulas, as a user would type them.
QList<QList<prescriptionEntry>> classicPrescriptions()
{
    QList<QList<prescriptionEntry>> out;
    for (const classicFormula &f : classicFormulaTable()) {
        if (f.form != QLatin1String("decoction"))
            continue;
        QList<prescriptionEntry> rx;
        for (const auto *role : {&f.sovereign, &f.minister, &f.assistant, &f.envoy})
            for (const formulaHerb &h : *role)
                if (rx.size() < maxPrescriptionHerbs)
                    rx.append({qMax(1.0, h.dose), h.name});
        out.append(rx);
    }
    return out;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? qMax(1, atoi(argv[1])) : 5;

    QList<qint64> loads;
    for (int i = 0; i < rounds; ++i) {
        clearKnowledgeTables();
        QElapsedTimer t;
        t.start();
        loadStartupKnowledge();
        loads << t.nsecsElapsed();
    }
    std::sort(loads.begin(), loads.end());
    report("load.median", loads.at(loads.size() / 2) / 1e6, "ms");
    report("load.best", loads.first() / 1e6, "ms");

    const QStringList words = herbNameWords();
    QElapsedTimer t;
    t.start();
    int resolved = 0;
    for (int r = 0; r < rounds; ++r)
        for (const QString &w : words)
            resolved += canonicalHerbName(w).isEmpty() ? 0 : 1;
    report("canonicalHerbName", double(t.nsecsElapsed()) / double(qMax(1, resolved)), "ns/call");

    QStringList pairHerbs = sortedTexts(pairHerbSet());
    pairHerbs = pairHerbs.mid(0, 60);
    t.restart();
    qint64 lookups = 0;
    for (int r = 0; r < rounds; ++r)
        for (const QString &a : pairHerbs)
            for (const QString &b : pairHerbs) {
                findPair(a, b);
                ++lookups;
            }
    report("findPair", double(t.nsecsElapsed()) / double(qMax<qint64>(1, lookups)), "ns/call");

    const auto prescriptions = classicPrescriptions();
    t.restart();
    int analyses = 0;
    for (int r = 0; r < rounds; ++r)
        for (const auto &rx : prescriptions) {
            analysePrescription(QStringLiteral("decoction"), rx);
            ++analyses;
        }
    report("analysePrescription", double(t.nsecsElapsed()) / 1e3 / double(qMax(1, analyses)), "us/call");
    report("analysePrescription.count", analyses, "runs");
    return 0;
}
