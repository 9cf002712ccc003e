// The benchmarks of the knowledge engine, on the shipped knowledge and, with
// --scaled, on a knowledge base N times as large (tools/data/scale_knowledge.py):
// start-up load against its floor, time to a painted main window and memory,
// analysis, inference and lookups. After Google Benchmark's own table it
// prints a summary with the medians, the ratios and the targets.
//
//   lcbench [--scaled DIR] [--factor N] [--smoke] [--iterations N]
//           [Google Benchmark options]
//
// DIR holds impl.zip and config.xml of the scaled knowledge. --smoke runs
// every benchmark once (a check that they all still run, not a measurement);
// --iterations fixes the iterations of every benchmark (for profiling: run
// under callgrind with 1 and with N + 1 iterations and take the difference).

#include "benchinputs.h"

#include "analysis/analysisreport.h"
#include "diagnosis/codenames.h"
#include "diagnosis/diagnosisinference.h"
#include "herbs/herbbase.h"
#include "knowledge/knowledgearchive.h"
#include "knowledge/loadfunctions.h"
#include "pairs/pairrules.h"
#include "text/phrasedictionary.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QMap>
#include <QProcess>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

long long monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// Calls made by one iteration of a benchmark that repeats a call over a list;
// the summary gives the time per call.
std::map<std::string, double> &callsPerIteration()
{
    static std::map<std::string, double> calls;
    return calls;
}

QList<typicalCase> &cases()
{
    static QList<typicalCase> list = typicalCases(QStringLiteral(LC_SOURCE_DIR "/tests/data/diagnosis_cases.tsv"));
    return list;
}

// What each scale answered, to check the scaled knowledge against the shipped.
QMap<QString, QByteArray> &answerDigests()
{
    static QMap<QString, QByteArray> digests;
    return digests;
}

void recordAnswers(const knowledgeScale &scale)
{
    if (answerDigests().contains(scale.name))
        return;
    useScale(scale);
    const QString text = analysisAnswers() + inferenceAnswers(cases());
    answerDigests().insert(scale.name, QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1));
}

// ---------------------------------------------------------------- benchmarks

void loadFloor(benchmark::State &state, knowledgeScale scale)
{
    qint64 bytes = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(bytes = inflateEveryEntry(scale.archive));
    state.counters["MiB"] = double(bytes) / (1024 * 1024);
}

void loadStartup(benchmark::State &state, knowledgeScale scale)
{
    setKnowledgeArchivePath(scale.archive);
    setConfigurationPath(scale.config);
    for (auto _ : state) {
        state.PauseTiming();
        clearKnowledgeTables(); // the program never empties its tables
        state.ResumeTiming();
        if (!loadAllKnowledge())
            state.SkipWithError("the knowledge cannot be loaded");
    }
    // The tables are left loaded at this scale.
    useScale(scale);
}

void firstPaint(benchmark::State &state, knowledgeScale scale, QString program)
{
    double loadedRss = 0, paintedRss = 0, childCpuMs = 0, childCpuTotal = 0;
    for (auto _ : state) {
        QProcess child;
        child.setProgram(program);
        QStringList args;
        if (!scale.archive.startsWith(QLatin1Char(':')))
            args << QStringLiteral("--archive") << scale.archive << QStringLiteral("--config") << scale.config;
        child.setArguments(args);
        child.setWorkingDirectory(QStringLiteral(LC_BINARY_DIR));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::SeparateChannels);
        const long long started = monotonicNs();
        child.start();
        if (!child.waitForFinished(120000) || child.exitCode() != 0) {
            state.SkipWithError("the window program failed");
            break;
        }
        long long painted = 0;
        for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> kv = line.split('\t');
            if (kv.size() != 2)
                continue;
            if (kv.at(0) == "paintedNs")
                painted = kv.at(1).toLongLong();
            else if (kv.at(0) == "loadedRssKiB")
                loadedRss = kv.at(1).toDouble() / 1024;
            else if (kv.at(0) == "paintedRssKiB")
                paintedRss = kv.at(1).toDouble() / 1024;
            else if (kv.at(0) == "paintedCpuNs")
                childCpuMs = kv.at(1).toDouble() / 1e6;
        }
        if (painted <= started) {
            state.SkipWithError("the window program reported no paint");
            break;
        }
        state.SetIterationTime(double(painted - started) / 1e9);
        childCpuTotal += childCpuMs;
    }
    // The window program's own processor time up to the paint, per start.
    state.counters["cpuMs"] = benchmark::Counter(childCpuTotal, benchmark::Counter::kAvgIterations);
    state.counters["loadedRssMiB"] = loadedRss;
    state.counters["paintedRssMiB"] = paintedRss;
}

void analysis(benchmark::State &state, knowledgeScale scale, benchPrescription (*make)())
{
    useScale(scale);
    const benchPrescription p = make();
    bool ok = false;
    for (auto _ : state) {
        const analysisReport r = analysePrescription(p.form, p.entries);
        ok = r.ok;
        benchmark::DoNotOptimize(r.report.size());
    }
    state.counters["reportWritten"] = ok ? 1 : 0;
}

void analysisClassicDecoctions(benchmark::State &state, knowledgeScale scale)
{
    useScale(scale);
    const QList<benchPrescription> all = classicDecoctions();
    for (auto _ : state)
        for (const benchPrescription &p : all)
            benchmark::DoNotOptimize(analysePrescription(p.form, p.entries).ok);
    state.counters["prescriptions"] = all.size();
}

void inference(benchmark::State &state, knowledgeScale scale)
{
    useScale(scale);
    const QList<typicalCase> &all = cases();
    int found = 0;
    for (auto _ : state) {
        found = 0;
        for (const typicalCase &c : all) {
            setPatient(c);
            const diagnosisContext context = runInference(c.complaint, c.answers);
            found += context.formulaPattern.isEmpty() ? 0 : 1;
            benchmark::DoNotOptimize(diagnosisResultText(context).size());
        }
    }
    state.counters["cases"] = all.size();
    state.counters["patternsFound"] = found;
}

template<typename Query, typename Call>
void lookup(benchmark::State &state, knowledgeScale scale, Query makeQueries, Call call)
{
    useScale(scale);
    const auto queries = makeQueries();
    for (auto _ : state)
        for (const auto &q : queries)
            call(q);
    state.counters["queries"] = queries.size();
}

std::string benchName(const knowledgeScale &scale, const char *what)
{
    return scale.name.toStdString() + "/" + what;
}

// Iterations of every benchmark when fixed (0: Google Benchmark decides).
int &fixedIterations()
{
    static int n = 0;
    return n;
}

void registerScale(const knowledgeScale &scale, bool smoke)
{
    const auto reg = [&](const char *what, auto fn, auto... args) {
        auto *b = benchmark::RegisterBenchmark(benchName(scale, what).c_str(), fn, args...);
        if (smoke)
            b->Iterations(1)->Repetitions(1);
        else if (fixedIterations() > 0)
            b->Iterations(fixedIterations());
        return b;
    };
    const auto perCall = [&](const char *what, double calls) { callsPerIteration()[benchName(scale, what)] = calls; };

    reg("load/floor", loadFloor, scale)->Unit(benchmark::kMillisecond);
    reg("load/startup", loadStartup, scale)->Unit(benchmark::kMillisecond);
    auto *paint = reg("window/firstPaint", firstPaint, scale, QStringLiteral(LC_FIRSTPAINT_PATH));
    paint->Unit(benchmark::kMillisecond)->UseManualTime();
    if (!smoke)
        paint->Iterations(1);

    reg("analysis/classicFormula", analysis, scale, &classicPrescription)->Unit(benchmark::kMicrosecond);
    reg("analysis/eighteenHerbs", analysis, scale, &eighteenHerbPrescription)->Unit(benchmark::kMicrosecond);
    reg("analysis/unknownHerb", analysis, scale, &unknownHerbPrescription)->Unit(benchmark::kMicrosecond);
    reg("analysis/classicDecoctions", analysisClassicDecoctions, scale)->Unit(benchmark::kMillisecond);

    reg("inference/typicalCases", inference, scale)->Unit(benchmark::kMillisecond);

    reg("lookup/canonicalHerbName", [](benchmark::State &st, knowledgeScale s) {
        lookup(st, s, herbQueryWords, [](const QString &w) { benchmark::DoNotOptimize(canonicalHerbName(w)); });
    }, scale)->Unit(benchmark::kMicrosecond);
    reg("lookup/findHerbByName", [](benchmark::State &st, knowledgeScale s) {
        lookup(st, s, herbQueryNames, [](const QString &n) { benchmark::DoNotOptimize(findHerbByName(n)); });
    }, scale)->Unit(benchmark::kMicrosecond);
    reg("lookup/findPair", [](benchmark::State &st, knowledgeScale s) {
        lookup(st, s, pairQueries,
               [](const QPair<QString, QString> &p) { benchmark::DoNotOptimize(findPair(p.first, p.second)); });
    }, scale)->Unit(benchmark::kMicrosecond);
    reg("lookup/phrase", [](benchmark::State &st, knowledgeScale s) {
        lookup(st, s, phraseQueries, [](const QPair<QString, QString> &p) {
            benchmark::DoNotOptimize(lookupPhrase(p.first, p.second));
        });
    }, scale)->Unit(benchmark::kMicrosecond);
    reg("lookup/codeName", [](benchmark::State &st, knowledgeScale s) {
        lookup(st, s, [] { return codeQueries(cases()); },
               [](const QString &c) { benchmark::DoNotOptimize(lookupCodeName(c)); });
    }, scale)->Unit(benchmark::kMicrosecond);

    // The number of calls per iteration, for the summary's time per call.
    useScale(scale);
    perCall("analysis/classicDecoctions", classicDecoctions().size());
    perCall("inference/typicalCases", cases().size());
    perCall("lookup/canonicalHerbName", herbQueryWords().size());
    perCall("lookup/findHerbByName", herbQueryNames().size());
    perCall("lookup/findPair", pairQueries().size());
    perCall("lookup/phrase", phraseQueries().size());
    perCall("lookup/codeName", codeQueries(cases()).size());
}

// ---------------------------------------------------------------- summary

// Keeps Google Benchmark's console table and collects the medians.
class summaryReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.error_occurred)
                continue;
            const std::string name = run.run_name.function_name;
            const double wall = run.GetAdjustedRealTime() * unitNs(run.time_unit);
            // A child process reports its own processor time as a counter.
            const auto childCpu = run.counters.find("cpuMs");
            const double cpu = childCpu != run.counters.end() ? childCpu->second.value * 1e6
                                                              : run.GetAdjustedCPUTime() * unitNs(run.time_unit);
            if (run.run_type == Run::RT_Aggregate) {
                if (run.aggregate_name == "median") {
                    m_median[name] = wall;
                    m_medianCpu[name] = cpu;
                    for (const auto &c : run.counters)
                        m_counters[name][c.first] = c.second.value;
                }
            } else {
                m_samples[name].push_back(wall);
                m_samplesCpu[name].push_back(cpu);
                for (const auto &c : run.counters)
                    m_counters[name][c.first] = c.second.value;
            }
        }
    }

    // Median wall-clock time of one iteration in nanoseconds; NAN when it
    // did not run.
    double medianNs(const std::string &name) const { return median(name, m_median, m_samples); }
    // The same for the processor time of the process that did the work.
    double medianCpuNs(const std::string &name) const { return median(name, m_medianCpu, m_samplesCpu); }

    double counter(const std::string &name, const std::string &key) const
    {
        const auto n = m_counters.find(name);
        if (n == m_counters.end())
            return NAN;
        const auto c = n->second.find(key);
        return c == n->second.end() ? NAN : c->second;
    }

private:
    static double median(const std::string &name, const std::map<std::string, double> &medians,
                         const std::map<std::string, std::vector<double>> &samples)
    {
        const auto m = medians.find(name);
        if (m != medians.end())
            return m->second;
        const auto s = samples.find(name);
        if (s == samples.end() || s->second.empty())
            return NAN;
        std::vector<double> v = s->second;
        std::sort(v.begin(), v.end());
        return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
    }

    static double unitNs(benchmark::TimeUnit unit)
    {
        switch (unit) {
        case benchmark::kSecond: return 1e9;
        case benchmark::kMillisecond: return 1e6;
        case benchmark::kMicrosecond: return 1e3;
        default: return 1;
        }
    }

    std::map<std::string, double> m_median, m_medianCpu;
    std::map<std::string, std::vector<double>> m_samples, m_samplesCpu;
    std::map<std::string, std::map<std::string, double>> m_counters;
};

struct summaryRow
{
    const char *label;
    const char *unit;         // ms, us, ns, MiB, x
    double scaleOf;           // nanoseconds per unit (1 for counts)
    double target;            // upper bound at 1x; NAN when none
    // The figure at a scale, in nanoseconds (or the count itself): from the
    // processor time when cpu is set, from the wall-clock time otherwise.
    std::function<double(const std::string &, bool cpu)> value;
    bool timed = true;        // false: a count, the same both ways
};

// The figures go by processor time: on a shared machine the wall-clock time
// of the same work varies with what the other processes do, the processor
// time far less. Both are printed.
void printSummary(const summaryReporter &r, const std::vector<knowledgeScale> &scales, int factor)
{
    const auto median = [&r](const std::string &name, bool cpu) {
        return cpu ? r.medianCpuNs(name) : r.medianNs(name);
    };
    const auto per = [median](const char *what) {
        return [median, what](const std::string &scale, bool cpu) {
            const std::string name = scale + "/" + what;
            const auto calls = callsPerIteration().find(name);
            const double n = calls == callsPerIteration().end() || calls->second <= 0 ? 1 : calls->second;
            return median(name, cpu) / n;
        };
    };
    const auto memory = [&r](const char *key) {
        return [&r, key](const std::string &scale, bool) { return r.counter(scale + "/window/firstPaint", key); };
    };
    const std::vector<summaryRow> rows = {
        {"start-up load", "ms", 1e6, NAN, per("load/startup")},
        {"floor: inflate every entry", "ms", 1e6, NAN, per("load/floor")},
        {"load / floor", "x", 1, 2.0,
         [median](const std::string &s, bool cpu) {
             return median(s + "/load/startup", cpu) / median(s + "/load/floor", cpu);
         }},
        {"first painted window", "ms", 1e6, 400, per("window/firstPaint")},
        {"memory after loading", "MiB", 1, NAN, memory("loadedRssMiB"), false},
        {"memory after the first paint", "MiB", 1, NAN, memory("paintedRssMiB"), false},
        {"analysis: classic formula", "us", 1e3, NAN, per("analysis/classicFormula")},
        {"analysis: 18 herbs", "us", 1e3, 100, per("analysis/eighteenHerbs")},
        {"analysis: unknown herb", "us", 1e3, NAN, per("analysis/unknownHerb")},
        {"analysis: classic decoction, mean", "us", 1e3, NAN, per("analysis/classicDecoctions")},
        {"inference run, mean of the cases", "us", 1e3, 1000, per("inference/typicalCases")},
        {"lookup: canonical herb name", "ns", 1, NAN, per("lookup/canonicalHerbName")},
        {"lookup: herb by name", "ns", 1, NAN, per("lookup/findHerbByName")},
        {"lookup: pair", "ns", 1, NAN, per("lookup/findPair")},
        {"lookup: phrase", "ns", 1, NAN, per("lookup/phrase")},
        {"lookup: code name", "ns", 1, NAN, per("lookup/codeName")},
    };

    const bool scaled = scales.size() > 1;
    const std::string one = scales.front().name.toStdString();
    const std::string ten = scales.back().name.toStdString();
    std::printf("\nSummary (medians; cpu: processor time of the process, wall: clock time)\n");
    std::printf("%-38s %10s %10s", "figure", (one + " cpu").c_str(), (one + " wall").c_str());
    if (scaled)
        std::printf(" %10s %10s %8s", (ten + " cpu").c_str(), (ten + " wall").c_str(), "growth");
    std::printf("   target (on cpu)\n");
    bool allHold = true;
    for (const summaryRow &row : rows) {
        const double oneCpu = row.value(one, true) / row.scaleOf;
        const std::string label = std::string(row.label) + " (" + row.unit + ")";
        std::printf("%-38s %10.4g", label.c_str(), oneCpu);
        if (row.timed)
            std::printf(" %10.4g", row.value(one, false) / row.scaleOf);
        else
            std::printf(" %10s", "");
        std::string verdict;
        if (!std::isnan(row.target)) {
            const bool holds = oneCpu <= row.target;
            allHold = allHold && holds;
            verdict = (holds ? "holds: <= " : "MISSED: <= ") + QString::number(row.target).toStdString();
        }
        if (scaled) {
            const double tenCpu = row.value(ten, true) / row.scaleOf;
            const double growth = tenCpu / oneCpu;
            std::printf(" %10.4g", tenCpu);
            if (row.timed)
                std::printf(" %10.4g", row.value(ten, false) / row.scaleOf);
            else
                std::printf(" %10s", "");
            std::printf(" %7.2fx", growth);
            // Memory starts from what the program needs without knowledge,
            // and the ratio of ratios is no figure that grows with the data.
            // Linear growth within the noise of one run: a tenth more than
            // the factor (the floor itself, linear by nature, lands on
            // either side of the factor from run to run).
            if (row.timed && std::strcmp(row.unit, "x") != 0) {
                const bool linear = growth <= factor * 1.1;
                allHold = allHold && linear;
                verdict += std::string(verdict.empty() ? "" : "; ") + (linear ? "growth holds" : "GROWTH MISSED")
                    + " (<= " + std::to_string(factor) + "x)";
            }
        }
        std::printf("   %s\n", verdict.c_str());
    }
    if (scaled) {
        const double mib = r.counter(ten + "/load/floor", "MiB") / r.counter(one + "/load/floor", "MiB");
        std::printf("\nthe %s archive inflates to %.2f times the bytes of the %s one\n", ten.c_str(), mib, one.c_str());
        const QByteArray oneDigest = answerDigests().value(scales.front().name);
        const QByteArray tenDigest = answerDigests().value(scales.back().name);
        if (!oneDigest.isEmpty() && !tenDigest.isEmpty())
            std::printf("\nanswers of the %s knowledge equal the %s ones: %s\n", ten.c_str(), one.c_str(),
                        oneDigest == tenDigest ? "yes" : "NO");
    }
    std::printf("\n%s\n", allHold ? "every target holds" : "some targets are missed (see above)");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);

    // Our own options first; the rest goes to Google Benchmark.
    QString scaledDir;
    int factor = 10;
    bool smoke = false;
    std::vector<char *> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == QLatin1String("--scaled") && i + 1 < argc)
            scaledDir = QString::fromLocal8Bit(argv[++i]);
        else if (a == QLatin1String("--factor") && i + 1 < argc)
            factor = QString::fromLocal8Bit(argv[++i]).toInt();
        else if (a == QLatin1String("--smoke"))
            smoke = true;
        else if (a == QLatin1String("--iterations") && i + 1 < argc)
            fixedIterations() = QString::fromLocal8Bit(argv[++i]).toInt();
        else
            rest.push_back(argv[i]);
    }
    int restCount = int(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    if (benchmark::ReportUnrecognizedArguments(restCount, rest.data()))
        return 2;

    std::vector<knowledgeScale> scales{{QStringLiteral("1x"), knowledgeArchivePath(), configurationPath()}};
    if (!scaledDir.isEmpty()) {
        const QDir dir(scaledDir);
        scales.push_back({QStringLiteral("%1x").arg(factor), dir.absoluteFilePath(QStringLiteral("impl.zip")),
                          dir.absoluteFilePath(QStringLiteral("config.xml"))});
    }
    for (const knowledgeScale &s : scales) {
        registerScale(s, smoke);
        if (scales.size() > 1 && !smoke)
            recordAnswers(s);
    }

    summaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printSummary(reporter, scales, factor);
    benchmark::Shutdown();
    return 0;
}
