#include "consultationfile.h"

#include "patientrecord.h"

#include "app/appversion.h"
#include "knowledge/loadfunctions.h"
#include "text/phrasedictionary.h"
#include "text/wholefile.h"

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>

namespace {
bool fail(QString *reason, const char *key, const QString &path)
{
    if (reason) {
        QString text = lookupPhrase(QStringLiteral("misc"), QLatin1String(key));
        // The size limit, for the phrase that names it.
        if (qstrcmp(key, "dg_toolarge") == 0)
            text = text.arg(QFileInfo(path).fileName()).arg(maxConsultationFileBytes / 1024);
        else
            text = text.arg(QFileInfo(path).fileName());
        *reason = text;
    }
    return false;
}
} // namespace

bool readConsultationInput(const QString &path, QString *input, QString *reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(reason, "dg_unreadable", path);
    // One byte more than the limit tells a file that is too large, whatever
    // size the file system reports (a buffer of the whole limit is taken only
    // when it reports none).
    const qint64 reported = file.size();
    const QByteArray bytes = file.read((reported > 0 ? qMin(reported, maxConsultationFileBytes) : maxConsultationFileBytes) + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(reason, "dg_unreadable", path);
    if (bytes.size() > maxConsultationFileBytes)
        return fail(reason, "dg_toolarge", path);
    if (xmlNestedDeeperThan(bytes, maxConsultationFileDepth))
        return fail(reason, "dg_toodeep", path);
    QDomDocument doc;
    if (!doc.setContent(bytes, false))
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
    if (writeWholeFile(path, consultationDocument(mainsuit, answers)))
        return true;
    if (reason)
        *reason = lookupPhrase(QStringLiteral("misc"), QStringLiteral("dg_unwritable")).arg(path);
    return false;
}
