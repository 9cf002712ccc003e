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

bool xmlStreamNestedDeeperThan(const QByteArray &bytes, int maxDepth)
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

namespace {

// Whether the bytes can be counted as they stand: the markup characters are
// single ASCII bytes that no byte of another character repeats (UTF-8,
// GB18030, GBK, Big5, the ISO and Windows single-byte code pages), and no
// document type declaration brings an internal subset whose entities could
// stand for markup. UTF-16 and UTF-32 put NUL bytes beside every "<".
bool countableBytes(const QByteArray &bytes)
{
    if (bytes.contains('\0'))
        return false;
    QByteArrayView head(bytes);
    if (head.startsWith("\xEF\xBB\xBF"))
        head = head.sliced(3);
    if (!head.startsWith("<?xml"))
        return true;
    const qsizetype end = head.indexOf("?>");
    if (end < 0)
        return true; // a declaration that never ends is refused by the parser there
    const QByteArray declaration = head.first(end).toByteArray().toLower();
    const qsizetype at = declaration.indexOf("encoding");
    if (at < 0)
        return true;
    // encoding = "name" or 'name', with optional white space around "="
    const qsizetype i = declaration.indexOf('=', at);
    if (i < 0)
        return false;
    const QByteArray value = declaration.mid(i + 1).trimmed();
    if (value.isEmpty() || (value.at(0) != '"' && value.at(0) != '\''))
        return false;
    const qsizetype close = value.indexOf(value.at(0), 1);
    if (close < 0)
        return false;
    const QByteArray name = value.mid(1, close - 1).trimmed();
    static const char *const names[] = {"utf-8", "utf8", "gb18030", "gbk", "gb2312", "big5", "us-ascii", "ascii", "latin1"};
    static const char *const families[] = {"iso-8859-", "windows-125", "cp125"};
    for (const char *known : names) {
        if (name == known)
            return true;
    }
    for (const char *family : families) {
        if (name.startsWith(family))
            return true;
    }
    return false;
}

// Moves i past the first occurrence of the terminator; false when there is none.
bool skipPast(const QByteArray &bytes, qsizetype &i, const char *terminator)
{
    const qsizetype at = bytes.indexOf(terminator, i);
    if (at < 0)
        return false;
    i = at + qstrlen(terminator);
    return true;
}

// Moves i past the ">" that closes a tag, stepping over quoted attribute
// values (which may hold ">"); sets selfClosing when the tag ends in "/>".
bool skipTag(const QByteArray &bytes, qsizetype &i, bool *selfClosing)
{
    const qsizetype n = bytes.size();
    const char *data = bytes.constData();
    char previous = 0;
    while (i < n) {
        const char c = data[i];
        if (c == '"' || c == '\'') {
            const void *close = memchr(data + i + 1, c, size_t(n - i - 1));
            if (!close)
                return false;
            i = static_cast<const char *>(close) - data + 1;
            previous = c;
            continue;
        }
        ++i;
        if (c == '>') {
            if (selfClosing)
                *selfClosing = previous == '/';
            return true;
        }
        previous = c;
    }
    return false;
}

} // namespace

bool xmlNestedDeeperThan(const QByteArray &bytes, int maxDepth)
{
    // Counting the bytes is many times quicker than tokenising them, and
    // every knowledge file goes through here before it is parsed. Where the
    // bytes cannot be counted as they stand, the stream reader counts them.
    if (!countableBytes(bytes))
        return xmlStreamNestedDeeperThan(bytes, maxDepth);
    const char *data = bytes.constData();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    int depth = 0;
    while (i < n) {
        const void *open = memchr(data + i, '<', size_t(n - i));
        if (!open)
            break;
        i = static_cast<const char *>(open) - data;
        const QByteArrayView rest(data + i, n - i);
        bool ok = true;
        if (rest.startsWith("<!--")) {
            i += 4;
            ok = skipPast(bytes, i, "-->");
        } else if (rest.startsWith("<![CDATA[")) {
            i += 9;
            ok = skipPast(bytes, i, "]]>");
        } else if (rest.startsWith("<?")) {
            i += 2;
            ok = skipPast(bytes, i, "?>");
        } else if (rest.startsWith("<!")) {
            // A document type declaration; with an internal subset its
            // declarations are for the stream reader to read.
            const qsizetype start = i;
            ok = skipTag(bytes, i, nullptr);
            if (ok && QByteArrayView(data + start, i - start).contains('['))
                return xmlStreamNestedDeeperThan(bytes, maxDepth);
        } else if (rest.startsWith("</")) {
            --depth;
            i += 2;
            ok = skipTag(bytes, i, nullptr);
        } else {
            // An empty element is one level deeper for as long as it lasts;
            // a start tag cut off counts too.
            bool selfClosing = false;
            ++i;
            ok = skipTag(bytes, i, &selfClosing);
            if (++depth > maxDepth)
                return true;
            if (ok && selfClosing)
                --depth;
        }
        // Whatever stands after markup that never ends is past the point
        // where a parser gives up.
        if (!ok)
            break;
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
