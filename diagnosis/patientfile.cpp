#include "patientfile.h"

#include "knowledge/loadfunctions.h"
#include "text/phrasedictionary.h"
#include "text/wholefile.h"

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>

namespace {

QString phrase(const char *key)
{
    return lookupPhrase(QStringLiteral("diagnosis"), QLatin1String(key));
}

bool refuse(QString *reason, const QString &message)
{
    if (reason)
        *reason = message;
    return false;
}

// A file larger than this is no personal information file.
constexpr qint64 maxPatientFileBytes = 256 * 1024;

} // namespace

QByteArray patientDocument(const patientProfile &profile)
{
    QDomDocument doc;
    doc.appendChild(doc.createProcessingInstruction(QStringLiteral("xml"),
                                                    QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
    QDomElement root = doc.createElement(QStringLiteral("psif"));
    doc.appendChild(root);
    const auto add = [&doc](QDomElement &parent, const QString &tag, const QString &text) {
        QDomElement e = doc.createElement(tag);
        e.appendChild(doc.createTextNode(text));
        parent.appendChild(e);
    };
    add(root, QStringLiteral("name"), profile.name);
    add(root, QStringLiteral("sexuality"), QString::number(profile.sex));
    add(root, QStringLiteral("age"), QString::number(profile.age));
    add(root, QStringLiteral("height"), QString::number(profile.height));
    add(root, QStringLiteral("weight"), QString::number(profile.weight));
    add(root, QStringLiteral("occupation"), QString::number(profile.occupation));
    add(root, QStringLiteral("location"), QString::number(profile.location));
    if (profile.sex == 1)
        add(root, QStringLiteral("state"), QString::number(profile.state));
    QDomElement inborn = doc.createElement(QStringLiteral("inborn"));
    for (const QString &id : profile.inborn)
        add(inborn, QStringLiteral("item"), id);
    root.appendChild(inborn);
    return doc.toByteArray(4);
}

bool writePatientFile(const QString &path, const patientProfile &profile, QString *reason)
{
    if (writeWholeFile(path, patientDocument(profile)))
        return true;
    return refuse(reason, phrase("psif_unwritable").arg(path));
}

bool readPatientFile(const QString &path, patientProfile *out, QString *reason)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(reason, phrase("psif_unreadable").arg(name));
    const QByteArray bytes = file.read(maxPatientFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return refuse(reason, phrase("psif_unreadable").arg(name));
    if (bytes.size() > maxPatientFileBytes)
        return refuse(reason, phrase("psif_not_profile").arg(name));
    return readPatientBytes(bytes, name, out, reason);
}

bool readPatientBytes(const QByteArray &bytes, const QString &name, patientProfile *out, QString *reason)
{
    // A profile is flat: a deeper document is refused before a tree is built.
    if (xmlNestedDeeperThan(bytes, maxXmlDepth))
        return refuse(reason, phrase("psif_not_profile").arg(name));
    QDomDocument doc;
    if (!doc.setContent(bytes, false))
        return refuse(reason, phrase("psif_not_xml").arg(name));
    const QDomElement root = doc.documentElement();
    if (root.tagName() != QLatin1String("psif"))
        return refuse(reason, phrase("psif_not_profile").arg(name));

    patientProfile profile;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString tag = e.tagName();
        if (tag == QLatin1String("name")) {
            profile.name = e.text();
        } else if (tag == QLatin1String("inborn")) {
            profile.inborn.clear();
            for (QDomElement i = e.firstChildElement(); !i.isNull(); i = i.nextSiblingElement())
                profile.inborn << i.text().trimmed();
        } else {
            int *field = nullptr;
            if (tag == QLatin1String("sexuality"))
                field = &profile.sex;
            else if (tag == QLatin1String("age"))
                field = &profile.age;
            else if (tag == QLatin1String("height"))
                field = &profile.height;
            else if (tag == QLatin1String("weight"))
                field = &profile.weight;
            else if (tag == QLatin1String("occupation"))
                field = &profile.occupation;
            else if (tag == QLatin1String("location"))
                field = &profile.location;
            else if (tag == QLatin1String("state"))
                field = &profile.state;
            if (!field)
                continue; // other elements are not part of a profile
            bool ok = false;
            const int value = e.text().trimmed().toInt(&ok, 10);
            const bool isList = field != &profile.age && field != &profile.height && field != &profile.weight;
            if (!ok || (isList && value < 0) || (field == &profile.sex && value > 1))
                return refuse(reason, phrase("psif_bad_value").arg(name, tag, e.text()));
            *field = value;
        }
        profile.present.insert(tag);
    }
    *out = profile;
    return true;
}
