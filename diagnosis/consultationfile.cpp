#include "consultationfile.h"

#include "patientrecord.h"

#include "app/appversion.h"
#include "text/phrasedictionary.h"

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

QByteArray consultationDocument(const QString &mainsuit, const QSet<QString> &answers)
{
    QDomDocument doc;
    doc.appendChild(doc.createProcessingInstruction(QStringLiteral("xml"),
                                                    QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
    QDomElement root = doc.createElement(QStringLiteral("diagnosis"));
    doc.appendChild(root);
    const auto add = [&doc, &root](const QString &tag, const QString &text) {
        QDomElement e = doc.createElement(tag);
        e.appendChild(doc.createTextNode(text));
        root.appendChild(e);
    };
    add(QStringLiteral("version"), QString::fromLatin1(lcVersion));
    add(QStringLiteral("mainsuit"), mainsuit);
    for (const char *key : {"name", "sex", "height", "weight", "age", "inborn", "state"})
        add(QLatin1String(key), patientRecord::value(QLatin1String(key)));
    QStringList ids = answers.values();
    ids.sort();
    for (const QString &id : std::as_const(ids)) {
        if (!id.isEmpty())
            add(QStringLiteral("item"), id);
    }
    return doc.toByteArray(4);
}

bool writeConsultationFile(const QString &path, const QString &mainsuit, const QSet<QString> &answers,
                           QString *reason)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(consultationDocument(mainsuit, answers));
        if (file.commit())
            return true;
    }
    if (reason)
        *reason = lookupPhrase(QStringLiteral("misc"), QStringLiteral("dg_unwritable")).arg(path);
    return false;
}
