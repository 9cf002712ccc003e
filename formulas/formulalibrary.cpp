#include "formulalibrary.h"

#include "knowledge/loadfunctions.h"
#include "knowledge/subsetindex.h"
#include "herbs/herbbase.h"
#include "herbs/herbdose.h"

#include <QDomElement>

#include <algorithm>

namespace {

struct formulaTables
{
    QList<classicFormula> classic;
    QList<diagnosisFormula> diagnosis;
    QMap<QString, QStringList> symptoms;
    QList<herbGroupFunction> groups;
    QMap<QString, herbUnit> units;
    // Built on first use, dropped whenever a loader changes their table.
    subsetIndex classicCores;  // core herbs of each classic formula
    subsetIndex groupHerbs;    // every alternative of each herb group
    QHash<QString, QVector<int>> bySymptom; // symptom -> its diagnosis formulas
    bool bySymptomBuilt = false;
};

formulaTables &tables()
{
    static formulaTables t;
    return t;
}

int toInt(const QString &text, int fallback = 0)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    return ok ? v : fallback;
}

QString nonEmptyCanonical(const QString &name)
{
    const QString c = canonicalHerbName(name);
    return c.isEmpty() ? name : c;
}

QList<herbLine> herbLines(const QDomElement &e)
{
    QList<herbLine> lines;
    const QStringList names = e.attribute(QStringLiteral("name")).split(QLatin1Char(','));
    for (const QString &n : names)
        lines.append({n, e.attribute(QStringLiteral("doze")), e.attribute(QStringLiteral("method"))});
    return lines;
}

QList<formulaScene> readScenes(const QDomElement &e)
{
    formulaScene content;
    for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
        if (c.tagName() == QLatin1String("plus"))
            content.plus << herbLines(c);
        else if (c.tagName() == QLatin1String("minus"))
            content.minus << c.attribute(QStringLiteral("name")).split(QLatin1Char(','));
    }
    const QString constraint = e.attribute(QStringLiteral("constraint"));
    QList<formulaScene> scenes;
    if (constraint.contains(QLatin1Char('|'))) {
        const QStringList parts = constraint.split(QLatin1Char('|'));
        for (const QString &p : parts) {
            formulaScene s = content;
            s.conditions = QStringList{p};
            scenes.append(s);
        }
    } else if (constraint.contains(QLatin1Char(','))) {
        formulaScene s = content;
        s.conditions = constraint.split(QLatin1Char(','));
        scenes.append(s);
    } else {
        formulaScene s = content;
        s.conditions = QStringList{constraint};
        scenes.append(s);
    }
    return scenes;
}

formulaProposal baseProposal(const diagnosisFormula &f)
{
    formulaProposal p;
    p.name = f.name;
    p.form = f.form;
    p.herbs = f.herbs;
    p.taboo = f.taboo;
    p.pill = f.pill;
    p.usage = f.usage;
    p.acupuncture = f.acupuncture;
    p.source = f.source;
    p.method = f.method;
    p.conditions.insert(f.pattern);
    for (const QString &a : f.arguments)
        p.conditions.insert(a);
    return p;
}

// Positions of the diagnosis formulas of a symptom, in table order.
const QVector<int> &formulasOfSymptom(const QString &symptom)
{
    auto &t = tables();
    if (!t.bySymptomBuilt) {
        t.bySymptom.clear();
        for (int i = 0; i < t.diagnosis.size(); ++i)
            t.bySymptom[t.diagnosis.at(i).symptom].append(i);
        t.bySymptomBuilt = true;
    }
    static const QVector<int> none;
    const auto it = t.bySymptom.constFind(symptom);
    return it == t.bySymptom.constEnd() ? none : *it;
}

QList<formulaProposal> proposals(const QString &symptom, const QString *pattern)
{
    QList<formulaProposal> out;
    for (int i : formulasOfSymptom(symptom)) {
        const diagnosisFormula &f = tables().diagnosis.at(i);
        if (f.symptom != symptom || f.miss)
            continue;
        formulaProposal base = baseProposal(f);
        if (pattern && !base.conditions.contains(*pattern))
            continue;
        base.conditions.insert(symptom);
        out.append(base);
        for (const formulaScene &s : f.scenes)
            out.append(applyScene(base, s));
    }
    return out;
}

} // namespace

double parseFormulaDose(const QString &doze)
{
    QString text = doze.trimmed();
    if (text.endsWith(QLatin1Char('g')) || text.endsWith(QLatin1Char('G')) || text.endsWith(QChar(0x514B))) // 克
        text.chop(1);
    double grams = 0;
    return parseDose(text, &grams) ? grams : 0;
}

bool loadClassicFormulas(QIODevice *device)
{
    const QDomElement root = loadXmlDevice(device);
    if (root.isNull())
        return false;
    auto &t = tables();
    for (QDomElement s = root.firstChildElement(); !s.isNull(); s = s.nextSiblingElement()) {
        classicFormula f;
        f.name = s.attribute(QStringLiteral("name"));
        f.source = s.attribute(QStringLiteral("from"));
        f.form = s.attribute(QStringLiteral("type"));
        for (QDomElement c = s.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
            const QString tag = c.tagName();
            QList<formulaHerb> *role = nullptr;
            if (tag == QLatin1String("j"))
                role = &f.sovereign;
            else if (tag == QLatin1String("c"))
                role = &f.minister;
            else if (tag == QLatin1String("z"))
                role = &f.assistant;
            else if (tag == QLatin1String("s"))
                role = &f.envoy;
            else if (tag == QLatin1String("f"))
                f.functions = c.text();
            else if (tag == QLatin1String("t"))
                f.indications = c.text();
            else if (tag == QLatin1String("tb"))
                f.cautions = c.text();
            else if (tag == QLatin1String("type"))
                f.category = c.text();
            if (!role)
                continue;
            const double dose = parseFormulaDose(c.attribute(QStringLiteral("doze")));
            const QString method = c.attribute(QStringLiteral("method"));
            const QStringList names = c.text().split(QLatin1Char(','));
            for (const QString &n : names) {
                bool found = false;
                const herbRecord r = findHerbByName(n, &found);
                role->append({found ? r.name : n, method, dose});
            }
        }
        t.classic.append(f);
    }
    std::stable_sort(t.classic.begin(), t.classic.end(),
                     [](const classicFormula &a, const classicFormula &b) { return a.coreSize() > b.coreSize(); });
    t.classicCores.clear();
    return true;
}

bool loadDiagnosisFormulas(QIODevice *device)
{
    const QDomElement root = loadXmlDevice(device);
    if (root.isNull())
        return false;
    auto &t = tables();
    for (QDomElement s = root.firstChildElement(QStringLiteral("script")); !s.isNull();
         s = s.nextSiblingElement(QStringLiteral("script"))) {
        diagnosisFormula f;
        const QStringList patterns = s.attribute(QStringLiteral("for")).split(QLatin1Char(','));
        const QStringList symptoms = s.attribute(QStringLiteral("symptom")).split(QLatin1Char(','));
        f.comment = s.attribute(QStringLiteral("comment"));
        f.source = s.attribute(QStringLiteral("from"));
        f.arguments = s.attribute(QStringLiteral("arugment")).split(QLatin1Char('|'), Qt::SkipEmptyParts);
        f.miss = s.attribute(QStringLiteral("miss")) == QLatin1String("true");
        for (const QString &p : patterns) {
            for (const QString &sym : symptoms)
                t.symptoms[sym].append(p);
        }
        for (QDomElement c = s.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
            const QString tag = c.tagName();
            if (tag == QLatin1String("table")) {
                f.name = c.attribute(QStringLiteral("name"));
                f.form = c.attribute(QStringLiteral("method"));
                for (QDomElement i = c.firstChildElement(); !i.isNull(); i = i.nextSiblingElement())
                    f.herbs << herbLines(i);
            } else if (tag == QLatin1String("scene")) {
                f.scenes << readScenes(c);
            } else if (tag == QLatin1String("taboo")) {
                f.taboo = c.text();
            } else if (tag == QLatin1String("pill")) {
                f.pill = c.text();
            } else if (tag == QLatin1String("usage")) {
                f.usage = c.text();
            } else if (tag == QLatin1String("acupuncture")) {
                f.acupuncture = c.text();
            } else if (tag == QLatin1String("method")) {
                f.method = c.text();
            }
        }
        for (const QString &sym : symptoms) {
            for (const QString &p : patterns) {
                diagnosisFormula copy = f;
                copy.symptom = sym;
                copy.pattern = p;
                t.diagnosis.append(copy);
            }
        }
    }
    t.bySymptomBuilt = false;
    return true;
}

bool loadHerbGroupFunctions(QIODevice *device)
{
    const QDomElement root = loadXmlDevice(device);
    if (root.isNull())
        return false;
    auto &t = tables();
    for (QDomElement e = root.firstChildElement(QStringLiteral("item")); !e.isNull();
         e = e.nextSiblingElement(QStringLiteral("item"))) {
        herbGroupFunction g;
        const QStringList slotTexts = e.attribute(QStringLiteral("lists")).split(QLatin1Char(','));
        for (const QString &slot : slotTexts) {
            QStringList alternatives;
            const QStringList names = slot.split(QLatin1Char('|'));
            for (const QString &n : names)
                alternatives << nonEmptyCanonical(n);
            g.slotList << alternatives;
        }
        g.have = toInt(e.attribute(QStringLiteral("have")));
        g.min = toInt(e.attribute(QStringLiteral("min")));
        g.level = e.attribute(QStringLiteral("level"), QStringLiteral("c"));
        if (g.level.isEmpty())
            g.level = QStringLiteral("c");
        g.text = e.text();
        t.groups.append(g);
    }
    t.groupHerbs.clear();
    return true;
}

bool loadHerbUnits(QIODevice *device)
{
    const QDomElement root = loadXmlDevice(device);
    if (root.isNull())
        return false;
    auto &t = tables();
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        herbUnit u;
        u.functions = e.attribute(QStringLiteral("function")).split(QLatin1Char(','));
        u.targets = e.attribute(QStringLiteral("target")).split(QLatin1Char(','));
        t.units.insert(e.attribute(QStringLiteral("name")), u);
    }
    return true;
}

const QList<classicFormula> &classicFormulaTable() { return tables().classic; }
const QList<diagnosisFormula> &diagnosisFormulaTable() { return tables().diagnosis; }
const QMap<QString, QStringList> &symptomIndex() { return tables().symptoms; }
const QList<herbGroupFunction> &herbGroupTable() { return tables().groups; }
const QMap<QString, herbUnit> &herbUnitTable() { return tables().units; }

QVector<int> classicFormulasWithin(const QSet<QString> &herbs)
{
    auto &t = tables();
    if (!t.classicCores.isBuilt()) {
        QList<QStringList> cores;
        cores.reserve(t.classic.size());
        for (const classicFormula &f : std::as_const(t.classic)) {
            QStringList core;
            for (const auto *role : {&f.sovereign, &f.minister, &f.assistant})
                for (const formulaHerb &h : *role)
                    core << h.name;
            cores << core;
        }
        t.classicCores.build(cores);
    }
    return t.classicCores.within(herbs);
}

QVector<int> herbGroupsTouching(const QSet<QString> &herbs)
{
    auto &t = tables();
    if (!t.groupHerbs.isBuilt()) {
        QList<QStringList> alternatives;
        alternatives.reserve(t.groups.size());
        for (const herbGroupFunction &g : std::as_const(t.groups)) {
            QStringList all;
            for (const QStringList &slot : g.slotList)
                all << slot;
            alternatives << all;
        }
        t.groupHerbs.build(alternatives);
    }
    return t.groupHerbs.touching(herbs);
}

const classicFormula *findClassicFormula(const QString &name)
{
    for (const classicFormula &f : tables().classic) {
        if (f.name == name)
            return &f;
    }
    return nullptr;
}

QStringList patternsForSymptom(const QString &symptom)
{
    return tables().symptoms.value(symptom);
}

formulaProposal applyScene(const formulaProposal &base, const formulaScene &scene)
{
    formulaProposal p = base;
    for (const QString &c : scene.conditions)
        p.conditions.insert(c);
    p.herbs << scene.plus;
    for (const QString &name : scene.minus) {
        for (int i = 0; i < p.herbs.size(); ++i) {
            if (p.herbs.at(i).name == name) {
                p.herbs.removeAt(i);
                break;
            }
        }
    }
    return p;
}

QList<formulaProposal> formulasForSymptom(const QString &symptom)
{
    return proposals(symptom, nullptr);
}

QList<formulaProposal> formulasForSymptomAndPattern(const QString &symptom, const QString &pattern)
{
    return proposals(symptom, &pattern);
}

void clearFormulaLibrary()
{
    tables() = formulaTables();
}
