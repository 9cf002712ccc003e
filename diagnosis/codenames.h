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
const QList<syndromeRecord> &syndromeTable();

void clearCodeNames();

#endif
