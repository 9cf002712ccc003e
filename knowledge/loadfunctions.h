#ifndef LOADFUNCTIONS_H
#define LOADFUNCTIONS_H

#include <QDomElement>
#include <QString>

class QuaZip;

// Path of the knowledge archive inside the resources.
QString knowledgeArchivePath();
// Tests and tools may point the program at another archive.
void setKnowledgeArchivePath(const QString &path);

// Resource configuration naming further rule files.
QString configurationPath();
void setConfigurationPath(const QString &path);

// Settings file of the program: "./config.ini" in the working directory (the
// program's folder) when files can be made there, otherwise "config.ini" in
// the user's configuration folder (a program installed into a system folder).
QString settingsFilePath();

// "config.ini" in the user's configuration folder; empty when the system
// names no such folder.
QString userSettingsFilePath();

// True when a file can be created in the folder (tried, then removed).
bool canCreateFilesIn(const QString &folder);

// Where the file dialogs for the user's own files open: the program's folder
// when files can be made there, otherwise the user's documents folder (or
// home folder).
QString userFileFolder();
// The same for a program in the given folder.
QString userFileFolder(const QString &program);

// Entries larger than this are refused before they are inflated.
constexpr qint64 maxArchiveEntrySize = 64 * 1024 * 1024;

enum class archiveEntryRead {
    complete,   // read whole; its size and CRC match the archive's directory
    missing,    // the archive has no such entry (or there is no archive)
    unreadable  // present, but it cannot be opened, inflated or verified
};

// Reads one archive entry whole into bytes and checks it against the size and
// CRC the archive records; bytes are emptied unless the result is complete.
archiveEntryRead readArchiveBytes(QuaZip *archive, const QString &entry, QByteArray *bytes);

// Reads one archive entry whole and decodes it with the system code page.
// Empty when the archive is null or the entry is missing or unreadable.
QString readArchiveEntry(QuaZip *archive, const QString &entry);

// Opens the archive, reads one entry (as readArchiveEntry) and closes it again.
QString readKnowledgeEntry(const QString &entry);

// Knowledge files are flat: a document nested deeper than this is refused
// before a tree is built from it (a tree of millions of levels would overflow
// the stack when it is walked or freed).
constexpr int maxXmlDepth = 256;

// Parses XML bytes into the root element; null when they are not well-formed
// XML or are nested deeper than maxXmlDepth.
QDomElement parseXmlBytes(const QByteArray &bytes);

// Whether XML bytes open more than maxDepth elements inside one another
// (up to the first error, where a parser stops too), in time linear in their
// size. The bytes are counted directly where their encoding allows; the
// count never comes out lower than a parser's.
bool xmlNestedDeeperThan(const QByteArray &bytes, int maxDepth);

// The same count made by a stream reader, token by token.
bool xmlStreamNestedDeeperThan(const QByteArray &bytes, int maxDepth);

// Parses a file into its root element; null when it cannot be opened or parsed,
// when it is no regular file (a device, a pipe) or larger than
// maxArchiveEntrySize.
QDomElement loadXmlFile(const QString &path);

// loadXmlFile on the path, then on ":" + path (disk first, then resources).
QDomElement loadXmlRoot(const QString &path);

// Parses an opened device into its root element (null when not XML, or as
// parseXmlBytes).
QDomElement loadXmlDevice(class QIODevice *device);

// Reads key "config/<key>" from an INI file. Fails on an empty path or key;
// a missing key gives an empty value and still succeeds.
bool readIniValue(const QString &path, const QString &key, QString &value);

// Writes key = value into group "config" of an INI file.
bool writeIniValue(const QString &path, const QString &key, const QString &value);

#endif
