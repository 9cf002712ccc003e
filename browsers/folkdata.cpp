#include "folkdata.h"

#include "knowledge/loadfunctions.h"
#include "folktreeloader.h"
#include "text/phrasedictionary.h"
#include "unititem.h"

#include <QDomElement>

namespace {
struct folkTables
{
    folkTables() = default;
    folkTables(const folkTables &) = delete;
    folkTables &operator=(const folkTables &) = delete;
    // The categories live until the program ends, and go with it.
    ~folkTables() { qDeleteAll(categories); }

    QList<folkRemedy> remedies;
    QList<unitItem *> categories; // owned
    int written = 0;
};

folkTables &tables()
{
    static folkTables t;
    return t;
}
} // namespace

void appendFolkRemedy(const folkRemedy &remedy)
{
    tables().remedies.append(remedy);
}

void countWrittenFolkRemedy()
{
    ++tables().written;
}

bool loadFolkRemedies(QIODevice *device)
{
    folkTreeLoader loader;
    return loader.read(device);
}

bool loadFolkCategories(QIODevice *device)
{
    const QDomElement root = loadXmlDevice(device);
    if (root.isNull())
        return false;
    for (QDomElement category = root.firstChildElement(); !category.isNull(); category = category.nextSiblingElement()) {
        auto *item = new unitItem(category.attribute(QStringLiteral("name")));
        for (QDomElement c = category.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
            item->children << c.text().trimmed();
        tables().categories.append(item);
    }
    return true;
}

const QList<folkRemedy> &folkTable() { return tables().remedies; }
const QList<unitItem *> &folkCategories() { return tables().categories; }
int folkWrittenCount() { return tables().written; }

QString folkListing(const QString &query)
{
    const auto label = [](const char *key) { return lookupPhrase(QStringLiteral("script"), QLatin1String(key)); };
    QString text;
    for (const folkRemedy &r : tables().remedies) {
        if (!(r.target == query || r.target.contains(query) || query.contains(r.target)))
            continue;
        if (!r.name.isEmpty())
            text += label("name") + r.name + QLatin1Char('\n');
        text += label("target") + r.target + QLatin1Char('\n');
        text += label("from") + (r.from.isEmpty() ? label("folk") : r.from) + QLatin1Char('\n');
        text += label("material") + r.component + QLatin1Char('\n');
        if (!r.method.isEmpty())
            text += label("method") + r.method + QLatin1Char('\n');
        if (!r.taboo.isEmpty())
            text += label("taboo") + r.taboo + QLatin1Char('\n');
        if (!r.usage.isEmpty())
            text += label("use") + r.usage + QLatin1Char('\n');
        text += QLatin1Char('\n');
    }
    return text;
}

void clearFolkData()
{
    auto &t = tables();
    qDeleteAll(t.categories);
    t.categories.clear();
    t.remedies.clear();
    t.written = 0;
}
