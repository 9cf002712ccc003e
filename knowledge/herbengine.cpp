#include "herbengine.h"

#include "knowledge/loadfunctions.h"
#include "diagnosis/codenames.h"
#include "diagnosis/diagnosisnode.h"
#include "herbs/herbbase.h"
#include "pairs/pairrules.h"

#include <QDomElement>

herbEngine &herbEngine::instance()
{
    static herbEngine engine;
    return engine;
}

bool herbEngine::loadConfig(const QString &path)
{
    const QDomElement root = loadXmlRoot(path);
    if (root.isNull())
        return false;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString key = e.tagName();
        const QString file = e.text();
        if (key == QLatin1String("pairgroup"))
            loadHerbCategories(file);
        else if (key == QLatin1String("hpatch"))
            loadDosageForms(loadXmlRoot(file));
        else if (key == QLatin1String("judge"))
            diagnosisNode::instance().readJudgeRules(loadXmlRoot(file));
        else if (key == QLatin1String("syndrome"))
            loadSyndromeTable(file);
    }
    return true;
}
