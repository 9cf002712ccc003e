#include "prescriptionfile.h"

#include "herbs/herbbase.h"
#include "herbs/herbdose.h"
#include "text/phrasedictionary.h"
#include "text/wholefile.h"

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QXmlStreamReader>

namespace {

QString phrase(const char *key)
{
    return lookupPhrase(QStringLiteral("script"), QLatin1String(key));
}

bool refuse(prescriptionFile *out, const QString &message)
{
    *out = prescriptionFile();
    out->refusal = message;
    return false;
}

// Checks that the bytes are well-formed XML nested no deeper than the limit,
// with a stream reader (linear in the size, unlike building a tree).
enum class scanResult { ok, notXml, tooDeep };

scanResult scanStructure(const QByteArray &bytes)
{
    QXmlStreamReader xml(bytes);
    int depth = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (++depth > maxPrescriptionFileDepth)
                return scanResult::tooDeep;
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    return xml.hasError() ? scanResult::notXml : scanResult::ok;
}

// A dose must be a positive number of grams ("9", "0.15").
bool parsePositiveDose(const QString &text, double *dose)
{
    return parseDose(text, dose) && *dose > 0 && !sameDose(*dose, 0);
}

} // namespace

bool readPrescriptionFile(const QString &path, prescriptionFile *out)
{
    *out = prescriptionFile();
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(out, phrase("pf_unreadable").arg(name));
    // One byte more than the limit tells a file that is too large, whatever
    // size the file system reports (a buffer of the whole limit is taken only
    // when it reports none).
    const qint64 reported = file.size();
    const QByteArray bytes = file.read((reported > 0 ? qMin(reported, maxPrescriptionFileBytes) : maxPrescriptionFileBytes) + 1);
    if (bytes.size() > maxPrescriptionFileBytes)
        return refuse(out, phrase("pf_toolarge").arg(name).arg(maxPrescriptionFileBytes / 1024));
    if (file.error() != QFileDevice::NoError)
        return refuse(out, phrase("pf_unreadable").arg(name));
    return readPrescriptionBytes(bytes, name, out);
}

bool readPrescriptionBytes(const QByteArray &bytes, const QString &name, prescriptionFile *out)
{
    *out = prescriptionFile();
    if (bytes.size() > maxPrescriptionFileBytes)
        return refuse(out, phrase("pf_toolarge").arg(name).arg(maxPrescriptionFileBytes / 1024));
    switch (scanStructure(bytes)) {
    case scanResult::tooDeep:
        return refuse(out, phrase("pf_toodeep").arg(name));
    case scanResult::notXml:
        return refuse(out, phrase("pf_invalid").arg(name));
    case scanResult::ok:
        break;
    }
    QDomDocument doc;
    if (!doc.setContent(bytes, false))
        return refuse(out, phrase("pf_invalid").arg(name));
    const QDomElement root = doc.documentElement();
    if (root.isNull() || root.tagName() != QLatin1String("prescription"))
        return refuse(out, phrase("pf_invalid").arg(name));

    int line = 0;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.tagName() == QLatin1String("type")) {
            out->form = e.text();
            out->formSeen = true;
            continue;
        }
        if (e.tagName() != QLatin1String("list"))
            continue;
        for (QDomElement node = e.firstChildElement(QStringLiteral("node")); !node.isNull();
             node = node.nextSiblingElement(QStringLiteral("node"))) {
            ++line;
            QString herb;
            QString written;
            for (QDomElement c = node.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
                if (c.tagName() == QLatin1String("name"))
                    herb = c.text();
                else if (c.tagName() == QLatin1String("doze"))
                    written = c.text();
            }
            const QString canonical = canonicalHerbName(herb.trimmed());
            if (canonical.isEmpty())
                return refuse(out, phrase("pf_emptyname").arg(line));
            for (const prescriptionEntry &known : std::as_const(out->entries)) {
                if (known.name == canonical)
                    return refuse(out, phrase("exist").arg(canonical));
            }
            double dose = 0;
            if (!parsePositiveDose(written, &dose))
                return refuse(out, phrase("baddoze").arg(herb.trimmed()));
            if (out->entries.size() >= maxPrescriptionHerbs)
                return refuse(out, phrase("overflow").arg(maxPrescriptionHerbs));
            out->entries.append({dose, canonical});
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
    return writeWholeFile(path, prescriptionFileText(form, entries));
}
