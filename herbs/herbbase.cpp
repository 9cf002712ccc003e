#include "herbbase.h"

#include "herbdose.h"
#include "knowledge/loadfunctions.h"

#include <QDomNode>
#include <QHash>
#include <QIODevice>

namespace {

struct herbTables
{
    QList<herbRecord> herbs;
    QStringList words;
    QList<doseRangeEntry> doses;
    QMap<QString, QSet<QString>> forms;
    QList<decoctionMethodEntry> methods;
    // name or alias -> index of the first record that answers to it
    QHash<QString, int> canonicalIndex;
    QHash<QString, int> nameIndex;
    QHash<QString, int> idIndex;                    // id -> first record
    QHash<QString, int> doseIndex;                  // name -> first dose range
    QHash<QPair<QString, QString>, int> noteIndex;  // (method, name) -> first entry
};

herbTables &tables()
{
    static herbTables t;
    return t;
}

QStringList childTexts(const QDomElement &e)
{
    QStringList out;
    for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
        out << c.text().trimmed();
    return out;
}

// A dose in grams; 0 when the text is not a number.
double toDose(const QString &text)
{
    double v = 0;
    return parseDose(text, &v) ? v : 0;
}

void indexRecord(int row)
{
    auto &t = tables();
    const herbRecord &r = t.herbs.at(row);
    // The first record that answers to a name, as name or alias, keeps it;
    // a record's own name is tested before its aliases.
    if (!t.canonicalIndex.contains(r.name))
        t.canonicalIndex.insert(r.name, row);
    for (const QString &a : r.alias) {
        if (!t.canonicalIndex.contains(a))
            t.canonicalIndex.insert(a, row);
    }
    if (!t.nameIndex.contains(r.name))
        t.nameIndex.insert(r.name, row);
    if (!t.idIndex.contains(r.id))
        t.idIndex.insert(r.id, row);
}

} // namespace

QMap<QString, QString> readHerbList(QIODevice *device)
{
    QMap<QString, QString> idsByName;
    const QDomElement root = loadXmlDevice(device);
    for (QDomElement item = root.firstChildElement(); !item.isNull(); item = item.nextSiblingElement()) {
        if (item.tagName() == QLatin1String("name"))
            continue;
        const QDomElement idElement = item.firstChildElement();
        const QDomElement nameElement = idElement.nextSiblingElement();
        const QString name = nameElement.text();
        if (!idsByName.contains(name))
            idsByName.insert(name, idElement.text());
    }
    return idsByName;
}

bool loadHerbRecord(QIODevice *device)
{
    const QDomElement root = loadXmlDevice(device);
    if (root.isNull())
        return false;
    herbRecord r;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString tag = e.tagName();
        if (tag == QLatin1String("id"))
            r.id = e.text();
        else if (tag == QLatin1String("name"))
            r.name = e.text();
        else if (tag == QLatin1String("alias"))
            r.alias << childTexts(e);
        else if (tag == QLatin1String("latin"))
            r.latin = e.text();
        else if (tag == QLatin1String("nature") || tag == QLatin1String("natrue"))
            r.nature = e.text().trimmed();
        else if (tag == QLatin1String("classification"))
            r.classification = e.text().trimmed();
        else if (tag == QLatin1String("type"))
            r.type = e.text().trimmed();
        else if (tag == QLatin1String("feature"))
            r.feature << childTexts(e);
        else if (tag == QLatin1String("scripture"))
            r.meridian << childTexts(e);
        else if (tag == QLatin1String("function"))
            r.function << childTexts(e);
        else if (tag == QLatin1String("target"))
            r.indication << childTexts(e);
        else if (tag == QLatin1String("ingredient"))
            r.ingredient << childTexts(e);
        else if (tag == QLatin1String("stem"))
            r.stem = e.text();
        else if (tag == QLatin1String("desc"))
            r.desc = e.text();
        else if (tag == QLatin1String("bestfor"))
            r.bestfor = e.text();
        else if (tag == QLatin1String("notes"))
            r.caution << childTexts(e);
        else if (tag == QLatin1String("comment")) {
            for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
                r.comments.append(qMakePair(c.attribute(QStringLiteral("name")), c.text().trimmed()));
        } else if (tag == QLatin1String("drugs"))
            r.formula << childTexts(e);
        else if (tag == QLatin1String("dose")) {
            const QDomElement mn = e.firstChildElement(QStringLiteral("min"));
            const QDomElement mx = e.firstChildElement(QStringLiteral("max"));
            if (!mn.isNull())
                r.doseMin = toDose(mn.text());
            if (!mx.isNull())
                r.doseMax = toDose(mx.text());
        } else if (tag == QLatin1String("store"))
            r.store = e.text().trimmed();
        else if (tag == QLatin1String("prepare"))
            r.prepare = e.text().trimmed();
        else if (tag == QLatin1String("distribution"))
            r.distribution = e.text().trimmed();
        else if (tag == QLatin1String("pattern"))
            r.pattern = e.text().trimmed();
    }
    auto &t = tables();
    t.herbs.append(r);
    t.words << r.name << r.alias;
    indexRecord(t.herbs.size() - 1);
    return true;
}

bool loadDoseRanges(const QString &text)
{
    auto &t = tables();
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        const QStringList parts = raw.trimmed().split(QLatin1Char(','));
        if (parts.size() != 3)
            continue;
        doseRangeEntry d;
        d.name = herbNameById(parts.at(0));
        d.lower = toDose(parts.at(1));
        d.upper = toDose(parts.at(2));
        if (!t.doseIndex.contains(d.name))
            t.doseIndex.insert(d.name, int(t.doses.size()));
        t.doses.append(d);
    }
    return true;
}

bool loadDosageForms(const QDomElement &root)
{
    if (root.isNull())
        return false;
    auto &t = tables();
    for (QDomElement item = root.firstChildElement(QStringLiteral("item")); !item.isNull();
         item = item.nextSiblingElement(QStringLiteral("item"))) {
        const QString id = item.attribute(QStringLiteral("id"));
        for (QDomElement f = item.firstChildElement(QStringLiteral("front")); !f.isNull();
             f = f.nextSiblingElement(QStringLiteral("front"))) {
            const QStringList words = f.text().split(QLatin1Char(','));
            t.forms.insert(id, QSet<QString>(words.begin(), words.end()));
        }
    }
    return true;
}

bool loadDecoctionMethods(QIODevice *device)
{
    const QDomElement root = loadXmlDevice(device);
    if (root.isNull())
        return false;
    auto &t = tables();
    for (QDomElement node = root.firstChildElement(QStringLiteral("node")); !node.isNull();
         node = node.nextSiblingElement(QStringLiteral("node"))) {
        const QString method = node.attribute(QStringLiteral("method"));
        const QString desc = node.attribute(QStringLiteral("desc"));
        const QStringList names = node.attribute(QStringLiteral("list")).split(QLatin1Char(','));
        for (const QString &n : names) {
            const decoctionMethodEntry entry{method, canonicalHerbName(n), desc};
            const auto key = qMakePair(entry.method, entry.name);
            if (!t.noteIndex.contains(key))
                t.noteIndex.insert(key, int(t.methods.size()));
            t.methods.append(entry);
        }
    }
    return true;
}

QString canonicalHerbName(const QString &name)
{
    const auto &t = tables();
    const auto it = t.canonicalIndex.constFind(name);
    return it == t.canonicalIndex.constEnd() ? name : t.herbs.at(*it).name;
}

QStringList canonicalHerbNames(const QStringList &names)
{
    QStringList out;
    out.reserve(names.size());
    for (const QString &n : names) {
        const QString c = canonicalHerbName(n);
        out << (c.isEmpty() ? n : c);
    }
    return out;
}

herbRecord findHerbByName(const QString &name, bool *found)
{
    const auto &t = tables();
    const auto it = t.nameIndex.constFind(canonicalHerbName(name));
    if (found)
        *found = it != t.nameIndex.constEnd();
    return it == t.nameIndex.constEnd() ? herbRecord() : t.herbs.at(*it);
}

const herbRecord *herbRecordNamed(const QString &name)
{
    const auto &t = tables();
    const auto it = t.nameIndex.constFind(name);
    return it == t.nameIndex.constEnd() ? nullptr : &t.herbs.at(*it);
}

QString herbIdByName(const QString &name)
{
    bool found = false;
    const herbRecord r = findHerbByName(name, &found);
    return found ? r.id : QString();
}

QString herbNameById(const QString &id)
{
    const auto &t = tables();
    const auto it = t.idIndex.constFind(id);
    return it == t.idIndex.constEnd() ? QString() : t.herbs.at(*it).name;
}

bool doseRange(const QString &name, double *lower, double *upper)
{
    const auto &t = tables();
    const auto it = t.doseIndex.constFind(name);
    if (it == t.doseIndex.constEnd())
        return false;
    const doseRangeEntry &d = t.doses.at(*it);
    if (lower)
        *lower = d.lower;
    if (upper)
        *upper = d.upper;
    return true;
}

bool isExternalOnly(const QString &name)
{
    double lower = 0, upper = 0;
    return doseRange(name, &lower, &upper) && upper <= 0;
}

bool isAllowedInForm(const QString &herbId, const QString &form)
{
    const auto &forms = tables().forms;
    const auto it = forms.constFind(herbId);
    return it == forms.constEnd() || it->contains(form);
}

QString decoctionNote(const QString &name, const QString &method)
{
    const auto &t = tables();
    const auto it = t.noteIndex.constFind(qMakePair(method, name));
    return it == t.noteIndex.constEnd() ? QString() : t.methods.at(*it).note;
}

const QList<herbRecord> &herbTable() { return tables().herbs; }
const QStringList &herbNameWords() { return tables().words; }
const QList<doseRangeEntry> &doseRangeTable() { return tables().doses; }
const QMap<QString, QSet<QString>> &dosageFormTable() { return tables().forms; }
const QList<decoctionMethodEntry> &decoctionMethodTable() { return tables().methods; }

void clearHerbBase()
{
    tables() = herbTables();
}
