#include "loadfunctions.h"

#include "text/codepage.h"

#include <QDomDocument>
#include <QFile>
#include <QSettings>

#include <quazip.h>
#include <quazipfile.h>

namespace {
QString &archivePath()
{
    static QString path = QStringLiteral(":qrc/impl.zip");
    return path;
}
} // namespace

QString knowledgeArchivePath()
{
    return archivePath();
}

void setKnowledgeArchivePath(const QString &path)
{
    archivePath() = path;
}

namespace {
QString &configPath()
{
    static QString path = QStringLiteral(":/xml/config.xml");
    return path;
}
} // namespace

QString configurationPath()
{
    return configPath();
}

void setConfigurationPath(const QString &path)
{
    configPath() = path;
}

QString settingsFilePath()
{
    return QStringLiteral("./config.ini");
}

QString readArchiveEntry(QuaZip *archive, const QString &entry)
{
    if (!archive || !archive->setCurrentFile(entry))
        return QString();
    QuaZipFile file(archive);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.readAll();
    file.close();
    return decodeSystemCodePage(bytes);
}

QString readKnowledgeEntry(const QString &entry)
{
    QuaZip archive(knowledgeArchivePath());
    if (!archive.open(QuaZip::mdUnzip))
        return QString();
    const QString text = readArchiveEntry(&archive, entry);
    archive.close();
    return text;
}

QDomElement loadXmlDevice(QIODevice *device)
{
    if (!device)
        return QDomElement();
    QDomDocument doc;
    if (!doc.setContent(device, false))
        return QDomElement();
    return doc.documentElement();
}

QDomElement loadXmlFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QDomElement();
    return loadXmlDevice(&file);
}

QDomElement loadXmlRoot(const QString &path)
{
    QDomElement root = loadXmlFile(path);
    if (root.isNull())
        root = loadXmlFile(QLatin1Char(':') + path);
    return root;
}

bool readIniValue(const QString &path, const QString &key, QString &value)
{
    value.clear();
    if (path.isEmpty() || key.isEmpty())
        return false;
    QSettings settings(path, QSettings::IniFormat);
    value = settings.value(QStringLiteral("config/") + key).toString();
    return true;
}

bool writeIniValue(const QString &path, const QString &key, const QString &value)
{
    if (path.isEmpty() || key.isEmpty())
        return false;
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("config"));
    settings.setValue(key, value);
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}
