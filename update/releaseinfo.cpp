#include "releaseinfo.h"

#include "versionnumber.h"

#include <QHash>
#include <QList>
#include <QXmlStreamReader>

namespace {
struct manifestEntry
{
    QString version;
    QHash<QString, QString> fields; // first child of each known name
};

const char *const knownFields[] = {"win32", "win64", "macos", "detail", "content", "download", "sha256"};

bool isKnownField(QStringView name)
{
    for (const char *known : knownFields) {
        if (name == QLatin1String(known))
            return true;
    }
    return false;
}

manifestEntry readEntry(QXmlStreamReader &xml)
{
    manifestEntry entry;
    entry.version = xml.attributes().value(QLatin1String("version")).toString();
    while (xml.readNextStartElement()) {
        const QString name = xml.name().toString();
        if (isKnownField(name) && !entry.fields.contains(name))
            entry.fields.insert(name, xml.readElementText(QXmlStreamReader::IncludeChildElements));
        else
            xml.skipCurrentElement();
    }
    return entry;
}

// The entries of a manifest; false when it is not well-formed or something
// other than the root element comes first.
bool readEntries(const QString &manifest, QList<manifestEntry> &entries)
{
    QXmlStreamReader xml(manifest);
    bool rootRead = false;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartDocument:
            if (!xml.documentVersion().isEmpty())
                return false; // an XML declaration comes before the root
            break;
        case QXmlStreamReader::StartElement:
            while (xml.readNextStartElement())
                entries.append(readEntry(xml));
            rootRead = true;
            break;
        case QXmlStreamReader::Characters:
            break; // whitespace around the root; anything else is an error
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EntityReference:
            if (!rootRead)
                return false;
            break;
        default:
            break;
        }
    }
    return rootRead && !xml.hasError();
}

void copyField(const manifestEntry &entry, const char *name, QString &field)
{
    const auto it = entry.fields.constFind(QLatin1String(name));
    if (it != entry.fields.constEnd())
        field = it.value();
}
} // namespace

bool readReleaseInfo(const QString &manifest, releaseInfo &info)
{
    if (!versionNumber(info.currentVersion).isValid())
        return false;
    QList<manifestEntry> entries;
    if (!readEntries(manifest, entries))
        return false;
    bool found = false;
    for (const manifestEntry &entry : entries) {
        if (!versionNumber::accepts(entry.version, info.currentVersion))
            continue;
        info.version = entry.version;
        copyField(entry, "content", info.content);
        copyField(entry, "win64", info.win64);
        copyField(entry, "macos", info.macos);
        copyField(entry, "detail", info.detail);
        copyField(entry, "download", info.download);
        // The digest belongs to the archive: a new archive address brings its
        // own digest or none, never the one of an earlier archive.
        if (entry.fields.contains(QLatin1String("win32"))) {
            info.win32 = entry.fields.value(QLatin1String("win32"));
            info.sha256 = entry.fields.value(QLatin1String("sha256"));
        } else {
            copyField(entry, "sha256", info.sha256);
        }
        found = true;
    }
    return found;
}
