#include "folktreeloader.h"

#include "folkdata.h"

void folkTreeLoader::parseLine(const QString &tag, const QString &value)
{
    if (tag == QLatin1String("name"))
        m_remedy.name = value;
    else if (tag == QLatin1String("from"))
        m_remedy.from = value;
    else if (tag == QLatin1String("component"))
        m_remedy.component = value;
    else if (tag == QLatin1String("usage"))
        m_remedy.usage = value;
    else if (tag == QLatin1String("taboo"))
        m_remedy.taboo = value;
    else if (tag == QLatin1String("function"))
        m_remedy.function = value;
    else if (tag == QLatin1String("comment"))
        m_remedy.comment = value;
    else if (tag == QLatin1String("method"))
        m_remedy.method = value;
    else if (tag == QLatin1String("target")) {
        countWrittenFolkRemedy();
        const QStringList targets = value.split(QLatin1Char(','));
        for (const QString &t : targets) {
            folkRemedy copy = m_remedy;
            copy.target = t;
            appendFolkRemedy(copy);
        }
        const QString function = m_remedy.function;
        m_remedy = folkRemedy();
        m_remedy.function = function;
    }
}
