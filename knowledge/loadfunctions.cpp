#include "loadfunctions.h"

#include "text/codepage.h"

#include <QCoreApplication>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QXmlStreamReader>

#include <quacrc32.h>
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

bool canCreateFilesIn(const QString &folder)
{
    // Tried rather than asked: permission bits say nothing about read-only
    // mounts, and an administrator may pass them where nothing can be made.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".write-probe-XXXXXX")));
    return probe.open();
}

QString userSettingsFilePath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (folder.isEmpty())
        return QString();
    return folder + QStringLiteral("/config.ini");
}

QString settingsFilePath()
{
    if (canCreateFilesIn(QStringLiteral(".")))
        return QStringLiteral("./config.ini");
    const QString user = userSettingsFilePath();
    return user.isEmpty() ? QStringLiteral("./config.ini") : user;
}

QString userFileFolder()
{
    return userFileFolder(QCoreApplication::applicationDirPath());
}

QString userFileFolder(const QString &program)
{
    if (canCreateFilesIn(program))
        return program;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

archiveEntryRead readArchiveBytes(QuaZip *archive, const QString &entry, QByteArray *bytes)
{
    bytes->clear();
    if (!archive || !archive->setCurrentFile(entry))
        return archiveEntryRead::missing;
    QuaZipFileInfo64 info;
    if (!archive->getCurrentFileInfo(&info) || info.uncompressedSize > quint64(maxArchiveEntrySize))
        return archiveEntryRead::unreadable;
    QuaZipFile file(archive);
    if (!file.open(QIODevice::ReadOnly))
        return archiveEntryRead::unreadable;

    // Inflate no more than the directory promises: a damaged stream can
    // neither run on nor stall the loop (a read that brings nothing ends it).
    const qint64 expected = qint64(info.uncompressedSize);
    QByteArray data;
    data.reserve(expected);
    char chunk[65536];
    bool failed = false;
    for (;;) {
        const qint64 n = file.read(chunk, sizeof chunk);
        if (n < 0 || data.size() + n > expected) {
            failed = true;
            break;
        }
        if (n == 0)
            break;
        data.append(chunk, n);
    }
    file.close();
    if (failed || data.size() != expected || QuaCrc32().calculate(data) != info.crc)
        return archiveEntryRead::unreadable;
    *bytes = data;
    return archiveEntryRead::complete;
}

QString readArchiveEntry(QuaZip *archive, const QString &entry)
{
    QByteArray bytes;
    if (readArchiveBytes(archive, entry, &bytes) != archiveEntryRead::complete)
        return QString();
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

bool xmlNestedDeeperThan(const QByteArray &bytes, int maxDepth)
{
    QXmlStreamReader xml(bytes);
    xml.setNamespaceProcessing(false); // as the tree is built
    int depth = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (++depth > maxDepth)
                return true;
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    return false;
}

QDomElement parseXmlBytes(const QByteArray &bytes)
{
    if (xmlNestedDeeperThan(bytes, maxXmlDepth))
        return QDomElement();
    QDomDocument doc;
    if (!doc.setContent(bytes, false))
        return QDomElement();
    return doc.documentElement();
}

QDomElement loadXmlDevice(QIODevice *device)
{
    if (!device)
        return QDomElement();
    return parseXmlBytes(device->readAll());
}

QDomElement loadXmlFile(const QString &path)
{
    // Only a regular file is read, and no more of it than an archive entry
    // may hold: a path that names a device or a pipe could be read forever.
    if (!QFileInfo(path).isFile())
        return QDomElement();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QDomElement();
    if (file.size() > maxArchiveEntrySize)
        return QDomElement();
    // A file that grows meanwhile is read no further than one byte past the
    // size it had.
    const QByteArray bytes = file.read(file.size() + 1);
    if (bytes.size() > maxArchiveEntrySize || file.error() != QFileDevice::NoError)
        return QDomElement();
    return parseXmlBytes(bytes);
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
    // The user's configuration folder may not exist yet.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings settings(path, QSettings::IniFormat);
    // The file is replaced whole or not at all: a failed write leaves the old
    // settings as they were.
    settings.setAtomicSyncRequired(true);
    settings.beginGroup(QStringLiteral("config"));
    settings.setValue(key, value);
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}
