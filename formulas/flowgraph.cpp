#include "flowgraph.h"

#include "knowledge/loadfunctions.h"
#include "formulas/formulalibrary.h"

#include <QDomElement>
#include <QSet>

#include <cstdlib>

namespace {
struct flowTables
{
    QList<flowUnit> units;
    QList<flowLine> lines;
};

flowTables &tables()
{
    static flowTables t;
    return t;
}
} // namespace

bool loadFlowFile(QIODevice *device)
{
    const QDomElement root = loadXmlDevice(device);
    if (root.isNull())
        return false;
    auto &t = tables();
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.tagName() == QLatin1String("unit")) {
            flowUnit u;
            u.name = e.attribute(QStringLiteral("name"));
            u.from = e.attribute(QStringLiteral("from"));
            for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
                const QString tag = c.tagName();
                if (tag == QLatin1String("type"))
                    u.type = c.text();
                else if (tag == QLatin1String("function"))
                    u.function = c.text();
                else if (tag == QLatin1String("target"))
                    u.target = c.text();
                else if (tag == QLatin1String("component"))
                    u.component = c.text();
            }
            t.units.append(u);
        } else if (e.tagName() == QLatin1String("line")) {
            flowLine l;
            const QDomElement from = e.firstChildElement(QStringLiteral("from"));
            const QDomElement to = e.firstChildElement(QStringLiteral("to"));
            l.fromName = from.attribute(QStringLiteral("name"));
            l.fromBook = from.attribute(QStringLiteral("book"));
            l.toName = to.attribute(QStringLiteral("name"));
            l.toBook = to.attribute(QStringLiteral("book"));
            l.flag = e.firstChildElement(QStringLiteral("flag")).text();
            t.lines.append(l);
        }
    }
    return true;
}

void mergeLibraryFormulas()
{
    auto &t = tables();
    for (const classicFormula &f : classicFormulaTable()) {
        flowUnit u;
        u.name = f.name;
        u.from = f.source;
        u.type = f.category;
        u.function = f.functions;
        u.target = f.indications;
        QStringList herbs;
        QSet<QString> seen;
        for (const auto *role : {&f.sovereign, &f.minister, &f.assistant, &f.envoy}) {
            for (const formulaHerb &h : *role) {
                if (!seen.contains(h.name)) {
                    seen.insert(h.name);
                    herbs << h.name;
                }
            }
        }
        u.component = herbs.join(QLatin1Char(','));
        t.units.append(u);
    }
}

const QList<flowUnit> &flowUnits() { return tables().units; }
const QList<flowLine> &flowLines() { return tables().lines; }

int indexOfUnit(const QString &name)
{
    const auto &units = tables().units;
    for (int i = 0; i < units.size(); ++i) {
        if (units.at(i).name == name)
            return i;
    }
    return -1;
}

void shuffleFlowUnits()
{
    auto &units = tables().units;
    // Fisher-Yates with the generator seeded at start-up.
    for (qsizetype i = units.size() - 1; i > 0; --i) {
        const qsizetype j = qsizetype(std::rand() % int(i + 1));
        units.swapItemsAt(i, j);
    }
}

void clearFlowGraph()
{
    tables() = flowTables();
}
