#include "codenames.h"

#include "knowledge/loadfunctions.h"
#include "text/phrasedictionary.h"

#include <QHash>
#include <QSet>

namespace {
struct codeTables
{
    QMultiHash<QString, QString> names;
    QHash<QString, QString> latest;
    QList<syndromeRecord> syndromes;
};

codeTables &tables()
{
    static codeTables t;
    return t;
}
} // namespace

bool loadNameMap(QIODevice *device)
{
    const QDomElement root = loadXmlDevice(device);
    if (root.isNull())
        return false;
    auto &t = tables();
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString id = e.attribute(QStringLiteral("id"));
        if (id == QLatin1String("9999"))
            continue;
        const QString name = e.attribute(QStringLiteral("name"));
        t.names.insert(id, name);
        t.latest.insert(id, name);
    }
    return true;
}

bool loadSyndromeTable(const QString &path)
{
    const QDomElement root = loadXmlRoot(path);
    if (root.isNull())
        return false;
    auto &t = tables();
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        syndromeRecord r;
        r.id = e.attribute(QStringLiteral("id"));
        for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
            const QString tag = c.tagName();
            if (tag == QLatin1String("is"))
                r.is = c.text();
            else if (tag == QLatin1String("key"))
                r.key = c.text().split(QLatin1Char(';'));
            else if (tag == QLatin1String("pulse"))
                r.pulse = c.text().split(QLatin1Char(';'));
            else if (tag == QLatin1String("tongue"))
                r.tongue = c.text().split(QLatin1Char(';'));
            else if (tag == QLatin1String("desc")) {
                const QStringList parts = c.text().split(QLatin1Char(';'));
                for (const QString &p : parts)
                    r.desc.append(p.split(QLatin1Char('@')));
            }
        }
        t.syndromes.append(r);
    }
    return true;
}

QString lookupCodeName(const QString &code)
{
    return tables().latest.value(code);
}

int codeNameCount()
{
    return int(tables().names.size());
}

const QList<syndromeRecord> &syndromeTable()
{
    return tables().syndromes;
}

QStringList syndromeWords()
{
    QStringList words;
    QSet<QString> seen;
    const auto add = [&](const QStringList &list) {
        for (const QString &w : list) {
            if (!w.isEmpty() && !seen.contains(w)) {
                seen.insert(w);
                words << w;
            }
        }
    };
    for (const syndromeRecord &r : tables().syndromes) {
        add(r.tongue);
        add(r.key);
        add(r.pulse);
        for (const QStringList &d : r.desc)
            add(d);
    }
    return words;
}

QStringList symptomSyndromeNames(const QString &symptom)
{
    QSet<QString> ids;
    const auto has = [&symptom](const QStringList &words) {
        for (const QString &w : words)
            if (w.contains(symptom))
                return true;
        return false;
    };
    for (const syndromeRecord &r : tables().syndromes) {
        bool found = has(r.tongue) || has(r.key) || has(r.pulse);
        for (const QStringList &d : r.desc)
            found = found || has(d);
        if (found)
            ids.insert(r.id);
    }
    QStringList names;
    for (const QString &id : std::as_const(ids)) {
        const QString name = lookupCodeName(id);
        if (!name.isEmpty())
            names << name;
    }
    names.sort();
    return names;
}

QString symptomSearchText(const QString &symptom)
{
    QString text = lookupPhrase(QStringLiteral("script"), QStringLiteral("symptom_search_result")).arg(symptom) + QLatin1Char('\n');
    const QStringList names = symptomSyndromeNames(symptom);
    for (const QString &n : names)
        text += n + QLatin1Char('\n');
    return text;
}

void clearCodeNames()
{
    tables() = codeTables();
}
