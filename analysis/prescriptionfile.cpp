#include "prescriptionfile.h"

#include "knowledge/loadfunctions.h"
#include "herbs/herbbase.h"
#include "herbs/herbdose.h"

#include <QDomDocument>
#include <QSaveFile>
#include <QTextStream>

bool readPrescriptionFile(const QString &path, prescriptionFile *out)
{
    *out = prescriptionFile();
    const QDomElement root = loadXmlRoot(path);
    if (root.isNull() || root.tagName() != QLatin1String("prescription"))
        return false;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.tagName() == QLatin1String("type")) {
            out->form = e.text();
            out->formSeen = true;
        } else if (e.tagName() == QLatin1String("list")) {
            for (QDomElement node = e.firstChildElement(QStringLiteral("node")); !node.isNull();
                 node = node.nextSiblingElement(QStringLiteral("node"))) {
                QString name;
                double dose = 0;
                for (QDomElement c = node.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
                    if (c.tagName() == QLatin1String("name")) {
                        name = c.text();
                    } else if (c.tagName() == QLatin1String("doze")) {
                        if (!parseDose(c.text(), &dose))
                            dose = 0;
                    }
                }
                const QString canonical = canonicalHerbName(name);
                if (canonical.isEmpty()) {
                    out->badName = name;
                    out->stoppedEarly = true;
                    return true;
                }
                out->entries.append({dose, canonical});
            }
        }
    }
    return true;
}

QByteArray prescriptionFileText(const QString &form, const QList<prescriptionEntry> &entries)
{
    QDomDocument doc;
    QDomElement root = doc.createElement(QStringLiteral("prescription"));
    doc.appendChild(root);
    QDomElement type = doc.createElement(QStringLiteral("type"));
    type.appendChild(doc.createTextNode(form));
    root.appendChild(type);
    QDomElement list = doc.createElement(QStringLiteral("list"));
    root.appendChild(list);
    for (const prescriptionEntry &e : entries) {
        QDomElement node = doc.createElement(QStringLiteral("node"));
        QDomElement name = doc.createElement(QStringLiteral("name"));
        name.appendChild(doc.createTextNode(e.name));
        QDomElement doze = doc.createElement(QStringLiteral("doze"));
        doze.appendChild(doc.createTextNode(doseText(e.dose)));
        node.appendChild(name);
        node.appendChild(doze);
        list.appendChild(node);
    }
    QByteArray bytes;
    QTextStream stream(&bytes);
    stream.setEncoding(QStringConverter::Utf8);
    stream << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    doc.save(stream, 4);
    stream.flush();
    return bytes;
}

bool writePrescriptionFile(const QString &path, const QString &form, const QList<prescriptionEntry> &entries)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = prescriptionFileText(form, entries);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
