#ifndef PHRASEDICTIONARY_H
#define PHRASEDICTIONARY_H

#include <QMap>
#include <QString>

// Every interface text, message and output template is looked up by
// (block, key) in one process-wide dictionary loaded at start-up.
bool loadPhraseDictionary(const QString &path);

// The phrase stored under block and key; the key itself when either is absent.
QString lookupPhrase(const QString &block, const QString &key);

// Read-only view of the whole dictionary (block name -> key -> phrase).
const QMap<QString, QMap<QString, QString>> &phraseBlocks();

// Number of phrases held (distinct keys over all blocks).
int phraseCount();

// Empties the dictionary (for tests that load their own files).
void clearPhraseDictionary();

#endif
