#ifndef HERBBASE_H
#define HERBBASE_H

#include "herbrecord.h"

#include <QDomElement>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

class QIODevice;

struct doseRangeEntry
{
    QString name;
    int lower = 0;
    int upper = 0;
};

struct decoctionMethodEntry
{
    QString method; // dosage-form word
    QString name;   // canonical herb name
    QString note;   // 先煎, 后下 …
};

// Loaders (called once at start-up).
bool loadHerbRecord(QIODevice *device);
bool loadDoseRanges(const QString &text);
bool loadDosageForms(const QDomElement &root);
bool loadDecoctionMethods(QIODevice *device);

// Queries. Name comparison is exact; the first matching record wins.
QString canonicalHerbName(const QString &name);
QStringList canonicalHerbNames(const QStringList &names);
herbRecord findHerbByName(const QString &name, bool *found = nullptr);
QString herbIdByName(const QString &name);
QString herbNameById(const QString &id);
bool doseRange(const QString &name, int *lower, int *upper);
bool isAllowedInForm(const QString &herbId, const QString &form);
QString decoctionNote(const QString &name, const QString &method);

// Read-only views.
const QList<herbRecord> &herbTable();
const QStringList &herbNameWords();
const QList<doseRangeEntry> &doseRangeTable();
const QMap<QString, QSet<QString>> &dosageFormTable();
const QList<decoctionMethodEntry> &decoctionMethodTable();

// Empties every herb table (for tests that load their own data).
void clearHerbBase();

#endif
