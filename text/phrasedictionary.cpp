#include "phrasedictionary.h"

#include "knowledge/loadfunctions.h"

#include <QDomElement>

namespace {
QMap<QString, QMap<QString, QString>> &dictionary()
{
    static QMap<QString, QMap<QString, QString>> blocks;
    return blocks;
}
} // namespace

bool loadPhraseDictionary(const QString &path)
{
    const QDomElement root = loadXmlRoot(path);
    if (root.isNull())
        return false;
    auto &blocks = dictionary();
    for (QDomNode node = root.firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (!node.isElement())
            continue;
        const QDomElement block = node.toElement();
        QMap<QString, QString> phrases;
        for (QDomNode p = block.firstChild(); !p.isNull(); p = p.nextSibling()) {
            if (!p.isElement())
                continue;
            phrases.insert(p.nodeName().trimmed(), p.toElement().text());
        }
        blocks.insert(block.attribute(QStringLiteral("name")), phrases);
    }
    return true;
}

QString lookupPhrase(const QString &block, const QString &key)
{
    const auto &blocks = dictionary();
    const auto b = blocks.constFind(block);
    if (b == blocks.constEnd())
        return key;
    const auto p = b->constFind(key);
    return p == b->constEnd() ? key : *p;
}

const QMap<QString, QMap<QString, QString>> &phraseBlocks()
{
    return dictionary();
}

int phraseCount()
{
    int n = 0;
    for (const auto &block : dictionary())
        n += block.size();
    return n;
}

void clearPhraseDictionary()
{
    dictionary().clear();
}
