#ifndef KNOWLEDGEARCHIVE_H
#define KNOWLEDGEARCHIVE_H

#include <QString>

// Opens the knowledge archive and hands its entries, in their fixed order, to
// the loaders of the tables. Missing entries are skipped; an entry that cannot
// be opened stops the loading as its row prescribes.
void loadKnowledgeArchive(const QString &archivePath);
void loadKnowledgeArchive();

// Start-up steps that fill the tables: phrases, pair name map, archive and the
// resource configuration. Returns false when the configuration is unreadable.
bool loadStartupKnowledge();

// Empties every knowledge table (for tests and tools that load other data).
void clearKnowledgeTables();

// Hands the complaint category resource to the diagnosis engine.
void loadDiagnosisCategories();

#endif
