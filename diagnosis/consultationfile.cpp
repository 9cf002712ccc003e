#include "consultationfile.h"

#include "text/phrasedictionary.h"

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>

namespace {
bool fail(QString *reason, const char *key, const QString &path)
{
    if (reason)
        *reason = lookupPhrase(QStringLiteral("misc"), QLatin1String(key)).arg(QFileInfo(path).fileName());
    return false;
}
} // namespace

bool readConsultationInput(const QString &path, QString *input, QString *reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(reason, "dg_unreadable", path);
    QDomDocument doc;
    if (!doc.setContent(&file, false))
        return fail(reason, "dg_not_xml", path);
    const QDomElement root = doc.documentElement();
    if (root.tagName() != QLatin1String("diagnosis"))
        return fail(reason, "dg_not_diagnosis", path);
    // The main complaint starts the text afresh: items before it are lost.
    QString text;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.tagName() == QLatin1String("mainsuit"))
            text = e.text() + QLatin1Char(':');
        else if (e.tagName() == QLatin1String("item"))
            text += e.text() + QLatin1Char(',');
    }
    if (!text.isEmpty())
        text.chop(1);
    *input = text;
    return true;
}
