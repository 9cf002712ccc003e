#include "pairrules.h"

#include "knowledge/loadfunctions.h"
#include "diagnosis/codenames.h"
#include "herbs/herbbase.h"
#include "herbs/herbdose.h"
#include "text/phrasedictionary.h"

#include <QDomElement>
#include <QHash>
#include <QIODevice>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

struct pairTables
{
    QVector<pairRule> pairs;
    textSet pairHerbs;
    QList<superPair> superPairs;
    QList<commonPair> commonPairs;
    QMap<QString, QString> codes;
    QMap<QString, textSet> groups;
    QList<QPair<QString, QString>> hate;
    QList<QPair<QString, QString>> oppose;
    QStringList verses;
    QStringList mapRules;
    textSet categoryIndex;
    QList<herbCategoryNode> categoryNodes;
    QList<herbCategoryUnit> categoryUnits;
    // (herb, herb) in both orders -> first rule of that pair; built on first use
    QHash<QPair<QString, QString>, int> pairIndex;
    bool pairIndexBuilt = false;
};

pairTables &tables()
{
    static pairTables t;
    return t;
}

int toInt(const QString &text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    return ok ? v : 0;
}

// A dose bound of a pair herb: grams with optional decimals, 0 when the text
// is not a dose.
double toDose(const QString &text)
{
    double grams = 0;
    return parseDose(text, &grams) ? grams : 0;
}

// Canonical name of a herb named in a rule file; the name as written when the
// lookup gives nothing.
QString ruleHerbName(const QString &name)
{
    const QString c = canonicalHerbName(name);
    return c.isEmpty() ? name : c;
}

textSet ruleHerbSet(const QString &list)
{
    textSet out;
    const QStringList names = list.split(QLatin1Char(','));
    for (const QString &n : names)
        out.insert(ruleHerbName(n));
    return out;
}

bool isPairTextElement(QStringView name)
{
    static const char *const names[] = {"id", "name", "type", "stem", "function", "target", "comment",
                                        "taboo", "miss", "external", "tag", "min", "max", "method"};
    for (const char *n : names) {
        if (name == QLatin1String(n))
            return true;
    }
    return false;
}

// Reads the items of a list up to its matching end element. An element the
// format does not name is a wrapper: what it holds is read as it comes. A list
// inside the list is read as part of it.
void readPairList(QXmlStreamReader &xml)
{
    auto &t = tables();
    pairRule rule;
    pairHerb herb;
    int depth = 1;
    while (!xml.atEnd() && !xml.hasError()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            const auto name = xml.name();
            if (name == QLatin1String("list")) {
                if (--depth == 0)
                    return;
            } else if (name == QLatin1String("herb")) {
                rule.addHerb(herb);
            } else if (name == QLatin1String("item")) {
                t.pairs.append(rule);
            }
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        if (name == QLatin1String("item")) {
            rule = pairRule();
            herb = pairHerb();
            continue;
        }
        if (name == QLatin1String("list"))
            ++depth;
        // "herb" is a container; its end adds the herb in progress.
        if (!isPairTextElement(name))
            continue;
        const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (name == QLatin1String("id"))
            rule.id = text;
        else if (name == QLatin1String("name"))
            rule.name = text;
        else if (name == QLatin1String("type"))
            rule.type = text;
        else if (name == QLatin1String("stem"))
            rule.stem = text;
        else if (name == QLatin1String("function"))
            rule.functions.insert(text);
        else if (name == QLatin1String("target"))
            rule.targets.insert(text);
        else if (name == QLatin1String("comment"))
            rule.comments.insert(text);
        else if (name == QLatin1String("taboo"))
            rule.taboos.insert(text);
        else if (name == QLatin1String("miss"))
            rule.miss = text == QLatin1String("true");
        else if (name == QLatin1String("external"))
            rule.external = text == QLatin1String("true");
        else if (name == QLatin1String("tag")) {
            herb.name = canonicalHerbName(text);
            t.pairHerbs.insert(herb.name);
        } else if (name == QLatin1String("min"))
            herb.min = toDose(text);
        else if (name == QLatin1String("max"))
            herb.max = toDose(text);
        else if (name == QLatin1String("method"))
            herb.method = text;
    }
}

bool loadIncompatibility(QIODevice *device, const QString &tableTag, QList<QPair<QString, QString>> &table)
{
    const QDomElement root = loadXmlDevice(device);
    if (root.isNull())
        return false;
    auto &t = tables();
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.tagName() == QLatin1String("song")) {
            QStringList lines;
            for (QDomElement l = e.firstChildElement(); !l.isNull(); l = l.nextSiblingElement())
                lines << l.text().trimmed();
            t.verses << lines.join(QLatin1Char(','));
        } else if (e.tagName() == tableTag) {
            for (QDomElement item = e.firstChildElement(); !item.isNull(); item = item.nextSiblingElement()) {
                const QString first = item.attribute(QStringLiteral("name"));
                for (QDomElement tag = item.firstChildElement(); !tag.isNull(); tag = tag.nextSiblingElement())
                    table.append(qMakePair(first, tag.text()));
            }
        }
    }
    return true;
}

void appendPairBody(QString &text, const pairRule &rule)
{
    const auto label = [](const char *key) { return lookupPhrase(QStringLiteral("script"), QLatin1String(key)); };
    if (!rule.stem.isEmpty())
        text += label("stem") + rule.stem + QLatin1Char('\n');
    text += label("function") + joinCodeSet(rule.functions, false) + QLatin1Char('\n');
    text += label("target") + joinCodeSet(rule.targets, false) + QLatin1Char('\n');
    text += label("comment") + joinCodeSet(rule.comments, false) + QLatin1Char('\n');
    text += label("taboo") + joinCodeSet(rule.taboos, false) + QLatin1Char('\n');
    text += label("name") + (rule.name.isEmpty() ? label("anonymity") : rule.name) + QLatin1Char('\n');
    text += QLatin1Char('\n');
}

} // namespace

bool loadPairTable(QIODevice *device)
{
    auto &t = tables();
    t.pairs.clear();
    t.pairIndex.clear();
    t.pairIndexBuilt = false;
    if (!device)
        return false;
    QXmlStreamReader xml(device);
    bool sawRoot = false;
    while (!xml.atEnd() && !xml.hasError()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            sawRoot = true;
            if (xml.name() == QLatin1String("list"))
                readPairList(xml);
        }
    }
    return sawRoot;
}

bool loadCodeDictionary(QIODevice *device)
{
    auto &t = tables();
    t.groups.clear();
    const QDomElement root = loadXmlDevice(device);
    if (root.isNull())
        return false;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.tagName() == QLatin1String("item"))
            t.codes.insert(e.attribute(QStringLiteral("id")), e.text());
        else if (e.tagName() == QLatin1String("grou"))
            t.groups.insert(e.attribute(QStringLiteral("id")), splitToSet(e.text()));
    }
    return true;
}

bool loadCommonPairs(QIODevice *device)
{
    auto &t = tables();
    t.commonPairs.clear();
    const QDomElement root = loadXmlDevice(device);
    if (root.isNull())
        return false;
    for (QDomElement e = root.firstChildElement(QStringLiteral("item")); !e.isNull();
         e = e.nextSiblingElement(QStringLiteral("item"))) {
        commonPair group;
        group.herbs = ruleHerbSet(e.attribute(QStringLiteral("list")));
        group.functions = splitToSet(e.attribute(QStringLiteral("function")));
        group.targets = splitToSet(e.attribute(QStringLiteral("target")));
        t.commonPairs.append(group);
    }
    std::stable_sort(t.commonPairs.begin(), t.commonPairs.end(),
                     [](const commonPair &a, const commonPair &b) { return a.herbs.size() > b.herbs.size(); });
    return true;
}

bool loadSuperPairs(QIODevice *device)
{
    const QDomElement root = loadXmlDevice(device);
    if (root.isNull())
        return false;
    auto &t = tables();
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        superPair pair;
        const QStringList names = e.attribute(QStringLiteral("name")).split(QLatin1Char(','));
        for (const QString &n : names)
            pair.names << ruleHerbName(n);
        for (QDomElement u = e.firstChildElement(); !u.isNull(); u = u.nextSiblingElement()) {
            superPairUnit unit;
            unit.data = ruleHerbSet(u.attribute(QStringLiteral("data")));
            unit.min = toInt(u.attribute(QStringLiteral("min")));
            unit.desc = u.attribute(QStringLiteral("desc"));
            pair.units.append(unit);
        }
        t.superPairs.append(pair);
    }
    return true;
}

bool loadHateList(QIODevice *device)
{
    return loadIncompatibility(device, QStringLiteral("hate"), tables().hate);
}

bool loadOpposeList(QIODevice *device)
{
    return loadIncompatibility(device, QStringLiteral("oppose"), tables().oppose);
}

bool loadPairMap(const QString &path)
{
    auto &t = tables();
    t.mapRules.clear();
    const QDomElement root = loadXmlRoot(path);
    if (root.isNull())
        return false;
    for (QDomElement e = root.firstChildElement(QStringLiteral("item")); !e.isNull();
         e = e.nextSiblingElement(QStringLiteral("item")))
        t.mapRules << e.text();
    return true;
}

bool loadHerbCategories(const QString &path)
{
    const QDomElement root = loadXmlRoot(path);
    if (root.isNull())
        return false;
    auto &t = tables();
    const auto list = [](const QDomElement &e, const char *attribute) {
        return e.attribute(QLatin1String(attribute)).split(QLatin1Char(','));
    };
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString tag = e.tagName();
        if (tag == QLatin1String("index")) {
            for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
                t.categoryIndex.insert(c.text());
        } else if (tag == QLatin1String("group")) {
            for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
                herbCategoryNode node;
                node.item = c.attribute(QStringLiteral("item"));
                node.key = list(c, "key");
                node.arg = list(c, "arg");
                node.desc = list(c, "desc");
                node.tb = list(c, "tb");
                node.value = c.attribute(QStringLiteral("value")).isEmpty() ? node.key : list(c, "value");
                t.categoryNodes.append(node);
            }
        } else if (tag == QLatin1String("unit")) {
            herbCategoryUnit unit;
            unit.id = e.attribute(QStringLiteral("id"));
            for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
                unit.herbs.unite(splitToSet(c.text()));
            t.categoryUnits.append(unit);
        }
    }
    return true;
}

const QVector<pairRule> &pairTable() { return tables().pairs; }
const textSet &pairHerbSet() { return tables().pairHerbs; }
const QList<superPair> &superPairTable() { return tables().superPairs; }
const QList<commonPair> &commonPairTable() { return tables().commonPairs; }
const QMap<QString, QString> &pairCodePhrases() { return tables().codes; }
const QMap<QString, textSet> &pairCodeGroups() { return tables().groups; }
const QList<QPair<QString, QString>> &hateList() { return tables().hate; }
const QList<QPair<QString, QString>> &opposeList() { return tables().oppose; }
const QStringList &verseList() { return tables().verses; }
const QStringList &pairMapRules() { return tables().mapRules; }
const textSet &herbCategoryIndex() { return tables().categoryIndex; }
const QList<herbCategoryNode> &herbCategoryNodes() { return tables().categoryNodes; }
const QList<herbCategoryUnit> &herbCategoryUnits() { return tables().categoryUnits; }

int findPair(const QString &a, const QString &b)
{
    auto &t = tables();
    if (!t.pairIndexBuilt) {
        // The first rule, in table order, of each pair of (trimmed) names.
        for (int i = int(t.pairs.size()) - 1; i >= 0; --i) {
            const pairRule &rule = t.pairs.at(i);
            if (rule.herbCount() != 2)
                continue;
            const QString h0 = rule.herbAt(0).name.trimmed();
            const QString h1 = rule.herbAt(1).name.trimmed();
            t.pairIndex.insert(qMakePair(h0, h1), i);
            t.pairIndex.insert(qMakePair(h1, h0), i);
        }
        t.pairIndexBuilt = true;
    }
    return t.pairIndex.value(qMakePair(a, b), -1);
}

QString pairDoseText(const pairHerb &first, const pairHerb &second)
{
    return QStringLiteral("%1    : %2g    ~     %3g\n%4    : %5g    ~     %6g\n")
        .arg(first.name, doseText(first.min), doseText(first.max), second.name, doseText(second.min),
             doseText(second.max));
}

QString pairTextByIndex(int index)
{
    const auto &pairs = tables().pairs;
    if (index < 0 || index >= pairs.size())
        return QString();
    const pairRule &rule = pairs.at(index);
    QString text = pairDoseText(rule.herbAt(0), rule.herbAt(1));
    appendPairBody(text, rule);
    return text;
}

QString pairTextForHerb(const QString &herb)
{
    QString text;
    for (const pairRule &rule : tables().pairs) {
        if (rule.herbAt(0).name == herb)
            text += pairDoseText(rule.herbAt(0), rule.herbAt(1));
        else if (rule.herbAt(1).name == herb)
            text += pairDoseText(rule.herbAt(1), rule.herbAt(0));
        else
            continue;
        appendPairBody(text, rule);
    }
    if (!text.isEmpty())
        text += QLatin1Char('\n');
    return text;
}

QString translateCode(const QString &text)
{
    if (!text.isEmpty() && (text.at(0).isDigit() || text.at(0) == QLatin1Char('x')))
        return lookupCodeName(text);
    if (text.startsWith(QLatin1String("s_")))
        return tables().codes.value(text, text);
    return text;
}

QString joinCodeSet(const textSet &set, bool lineBreaks)
{
    QString out;
    const QStringList entries = sortedTexts(set);
    for (const QString &e : entries) {
        if (e.isEmpty())
            continue;
        out += translateCode(e);
        out += lineBreaks ? QLatin1Char('\n') : QLatin1Char(';');
    }
    if (!out.isEmpty())
        out.chop(1);
    return out;
}

textSet applyPairMap(const textSet &herbs)
{
    textSet result = herbs;
    for (const QString &rule : tables().mapRules) {
        const qsizetype hash = rule.indexOf(QLatin1Char('#'));
        if (hash < 0)
            continue;
        const textSet left = splitToSet(rule.left(hash));
        const textSet right = splitToSet(rule.mid(hash + 1));
        if (herbs.contains(left)) {
            result.subtract(left);
            result.unite(right);
        }
    }
    return result;
}

herbCategoryNode categoryNodeByName(const QString &name)
{
    for (const herbCategoryNode &n : tables().categoryNodes) {
        if (n.item == name)
            return n;
    }
    return herbCategoryNode();
}

bool findIncompatibleHerbs(const textSet &herbs, QString *first, QString *second)
{
    for (const auto *table : {&tables().hate, &tables().oppose}) {
        for (const auto &p : *table) {
            if (herbs.contains(p.first) && herbs.contains(p.second)) {
                if (first)
                    *first = p.first;
                if (second)
                    *second = p.second;
                return false;
            }
        }
    }
    return true;
}

void clearPairRules()
{
    tables() = pairTables();
}
