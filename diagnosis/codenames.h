#ifndef CODENAMES_H
#define CODENAMES_H

#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;

// A syndrome (pattern) description for the symptom search.
struct syndromeRecord
{
    QString id;
    QString is;
    QStringList key;
    QStringList pulse;
    QStringList tongue;
    QList<QStringList> desc;
};

bool loadNameMap(QIODevice *device);
bool loadSyndromeTable(const QString &path);

// Display name of a diagnosis code; the entry latest in the file wins; empty
// when the code has no name.
QString lookupCodeName(const QString &code);

int codeNameCount();

// The syndromes that show a symptom, as the search window lists them: a
// heading, then their names in order, one per line.
QString symptomSearchText(const QString &symptom);
// The names of those syndromes alone, sorted; empty when none shows it.
QStringList symptomSyndromeNames(const QString &symptom);
// Every word of the syndrome table (keys, pulses, tongues, descriptions).
QStringList syndromeWords();
const QList<syndromeRecord> &syndromeTable();

void clearCodeNames();

#endif
