#ifndef KNOWLEDGEARCHIVE_H
#define KNOWLEDGEARCHIVE_H

#include <QString>
#include <QStringList>

// Opens the knowledge archive and hands its entries, in their fixed order, to
// the loaders of the tables. Every entry is read whole and checked against its
// CRC before its loader sees it. Missing entries are skipped; an entry that
// cannot be opened or read whole stops the loading as its row prescribes.
// False when the archive itself cannot be opened.
bool loadKnowledgeArchive(const QString &archivePath);
bool loadKnowledgeArchive();
// The same on an archive held by a device (not yet opened; the loading opens
// and closes it).
bool loadKnowledgeArchive(class QIODevice *device);

// What the last archive loading met.
struct knowledgeLoadState
{
    QString archivePath;
    bool archiveOpened = false;
    bool complete = false;           // every row was gone through
    QStringList unreadableEntries;   // present but not readable, in loading order
};
const knowledgeLoadState &lastKnowledgeLoad();

// The message that tells the user the last archive loading met a damaged
// archive or entry; empty when everything could be read.
QString knowledgeDamageMessage();

// The rule files of a folder on disk in the order they are loaded: smallest
// first, files of equal size in descending order of their names.
QStringList dictFolderFiles(const QString &folder);

// Start-up steps that fill the tables: phrases, pair name map, archive and the
// resource configuration. Returns false when the configuration is unreadable.
bool loadStartupKnowledge();

// Empties every knowledge table (for tests and tools that load other data).
void clearKnowledgeTables();

// Hands the complaint category resource to the diagnosis engine.
void loadDiagnosisCategories();

#endif
