#include "benchinputs.h"

#include "analysis/analysisreport.h"
#include "diagnosis/codenames.h"
#include "diagnosis/diagnosisinference.h"
#include "diagnosis/patientrecord.h"
#include "formulas/formulalibrary.h"
#include "herbs/herbbase.h"
#include "knowledge/knowledgearchive.h"
#include "knowledge/loadfunctions.h"
#include "pairs/pairrules.h"
#include "text/phrasedictionary.h"

#include <QFile>

#include <quazip.h>
#include <quazipfile.h>

#include <cstdio>

namespace {

QString &loadedScale()
{
    static QString name;
    return name;
}

// A name of the shipped knowledge: the scaled copies end their names in the
// number of the copy.
bool shippedName(const QString &name)
{
    return !name.isEmpty() && !name.back().isDigit();
}

benchPrescription prescription(const QString &form, const QList<QPair<const char *, double>> &herbs)
{
    benchPrescription p;
    p.form = form;
    for (const auto &h : herbs)
        p.entries.append({h.second, QString::fromUtf8(h.first)});
    return p;
}

} // namespace

void useScale(const knowledgeScale &scale)
{
    if (loadedScale() == scale.name)
        return;
    setKnowledgeArchivePath(scale.archive);
    setConfigurationPath(scale.config);
    if (!loadAllKnowledge()) {
        std::fprintf(stderr, "lcbench: the knowledge of %s cannot be loaded\n", qPrintable(scale.name));
        std::exit(1);
    }
    loadedScale() = scale.name;
}

qint64 inflateEveryEntry(const QString &archive)
{
    QuaZip zip(archive);
    if (!zip.open(QuaZip::mdUnzip))
        return -1;
    qint64 total = 0;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        total += file.readAll().size();
        file.close();
    }
    zip.close();
    return total;
}

bool loadAllKnowledge()
{
    clearKnowledgeTables();
    if (!loadStartupKnowledge())
        return false;
    loadDiagnosisCategories();
    return true;
}

benchPrescription classicPrescription()
{
    return prescription(QStringLiteral("decoction"),
                        {{"桂枝", 9}, {"白芍", 9}, {"甘草", 6}, {"生姜", 9}, {"大枣", 12}});
}

benchPrescription eighteenHerbPrescription()
{
    return prescription(QStringLiteral("decoction"),
                        {{"秦艽", 9}, {"羌活", 6}, {"防风", 6}, {"白芷", 6}, {"独活", 6}, {"细辛", 3},
                         {"当归", 9}, {"白芍", 9}, {"川芎", 6}, {"熟地黄", 12}, {"白术", 9}, {"茯苓", 9},
                         {"生地黄", 12}, {"黄芩", 9}, {"石膏", 15}, {"甘草", 6}, {"生姜", 9}, {"大枣", 9}});
}

benchPrescription unknownHerbPrescription()
{
    return prescription(QStringLiteral("decoction"),
                        {{"桂枝", 9}, {"白芍", 9}, {"甘草", 6}, {"生姜", 9}, {"大枣", 12}, {"无名草", 9}});
}

QList<benchPrescription> classicDecoctions()
{
    QList<benchPrescription> out;
    for (const classicFormula &f : classicFormulaTable()) {
        if (f.form != QLatin1String("decoction") || !shippedName(f.name))
            continue;
        benchPrescription p;
        p.form = f.form;
        for (const auto *role : {&f.sovereign, &f.minister, &f.assistant, &f.envoy})
            for (const formulaHerb &h : *role)
                if (p.entries.size() < maxPrescriptionHerbs)
                    p.entries.append({qMax(1.0, h.dose), h.name});
        out.append(p);
    }
    // The formula table is ordered by core size; the order among equal sizes
    // follows the file, so sort by name to give every scale the same list.
    std::sort(out.begin(), out.end(), [](const benchPrescription &a, const benchPrescription &b) {
        QStringList na, nb;
        for (const auto &e : a.entries)
            na << e.name;
        for (const auto &e : b.entries)
            nb << e.name;
        return na.join(QLatin1Char(',')) < nb.join(QLatin1Char(','));
    });
    return out;
}

QList<typicalCase> typicalCases(const QString &path)
{
    QList<typicalCase> cases;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return cases;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList p = line.split(QLatin1Char('\t'));
        if (p.size() < 8)
            continue;
        typicalCase c;
        c.complaint = p.at(0);
        c.age = p.at(1).toInt();
        c.sex = p.at(2);
        c.state = p.at(3);
        const QStringList answers = p.at(7).split(QLatin1Char(','), Qt::SkipEmptyParts);
        c.answers = QSet<QString>(answers.begin(), answers.end());
        cases.append(c);
    }
    return cases;
}

void setPatient(const typicalCase &c)
{
    patientRecord::setProfileDefaults();
    patientRecord::setValue(QStringLiteral("age"), QString::number(c.age));
    patientRecord::setValue(QStringLiteral("sex"), c.sex);
    patientRecord::setValue(QStringLiteral("state"), c.state);
}

QStringList herbQueryWords()
{
    QStringList out;
    for (const QString &w : herbNameWords())
        if (shippedName(w))
            out << w;
    return out;
}

QStringList herbQueryNames()
{
    QStringList out;
    for (const herbRecord &r : herbTable())
        if (shippedName(r.name))
            out << r.name;
    return out;
}

QList<QPair<QString, QString>> pairQueries()
{
    QList<QPair<QString, QString>> found, missed;
    for (const pairRule &rule : pairTable()) {
        const QString a = rule.herbAt(0).name.trimmed();
        const QString b = rule.herbAt(1).name.trimmed();
        if (shippedName(a) && shippedName(b))
            found.append({a, b});
    }
    std::sort(found.begin(), found.end());
    // As many misses: the first herb of each pair with the second of the next.
    for (int i = 0; i < found.size(); ++i)
        missed.append({found.at(i).first, found.at((i + 7) % found.size()).second});
    return found + missed;
}

QList<QPair<QString, QString>> phraseQueries()
{
    QList<QPair<QString, QString>> out;
    const auto &blocks = phraseBlocks();
    for (auto b = blocks.constBegin(); b != blocks.constEnd(); ++b)
        for (auto p = b->constBegin(); p != b->constEnd(); ++p)
            out.append({b.key(), p.key()});
    return out;
}

QStringList codeQueries(const QList<typicalCase> &cases)
{
    QSet<QString> codes;
    for (const typicalCase &c : cases) {
        codes.insert(c.complaint);
        for (const QString &a : c.answers)
            codes.insert(a);
    }
    QStringList out(codes.begin(), codes.end());
    out.sort();
    return out;
}

QString analysisAnswers()
{
    QList<benchPrescription> all = classicDecoctions();
    all << classicPrescription() << eighteenHerbPrescription() << unknownHerbPrescription();
    QString text;
    for (const benchPrescription &p : all) {
        const analysisReport r = analysePrescription(p.form, p.entries);
        text += r.report + QLatin1Char('|') + r.message + QLatin1Char('\n');
    }
    return text;
}

QString inferenceAnswers(const QList<typicalCase> &cases)
{
    QString text;
    for (const typicalCase &c : cases) {
        setPatient(c);
        const diagnosisContext context = runInference(c.complaint, c.answers);
        text += diagnosisResultText(context, prescriptionSide::formula) + QLatin1Char('|')
            + diagnosisResultText(context, prescriptionSide::acupuncture) + QLatin1Char('\n');
    }
    return text;
}
