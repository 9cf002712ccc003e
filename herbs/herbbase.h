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

// The doses (grams) the analysis accepts for a herb; 0 to 0 for a herb for
// external use only.
struct doseRangeEntry
{
    QString name;
    double lower = 0;
    double upper = 0;
};

struct decoctionMethodEntry
{
    QString method; // dosage-form word
    QString name;   // canonical herb name
    QString note;   // 先煎, 后下 …
};

// The herb list: herb id by herb name. Every child of the root but "name"
// is an item whose first child element holds the id and the next one the
// name; a name listed twice keeps its first id. Empty when not XML.
QMap<QString, QString> readHerbList(QIODevice *device);

// Loaders (called once at start-up).
bool loadHerbRecord(QIODevice *device);
bool loadDoseRanges(const QString &text);
bool loadDosageForms(const QDomElement &root);
bool loadDecoctionMethods(QIODevice *device);

// Queries. Name comparison is exact; the first matching record wins.
QString canonicalHerbName(const QString &name);
QStringList canonicalHerbNames(const QStringList &names);
herbRecord findHerbByName(const QString &name, bool *found = nullptr);
// The first record whose name is exactly this one (no alias is resolved);
// null when none. Valid while the herb table is unchanged.
const herbRecord *herbRecordNamed(const QString &name);
QString herbIdByName(const QString &name);
QString herbNameById(const QString &id);
bool doseRange(const QString &name, double *lower, double *upper);
// A herb whose dose range is 0 to 0: it has no internal dose.
bool isExternalOnly(const QString &name);
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
