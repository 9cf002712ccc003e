#ifndef PAIRRULES_H
#define PAIRRULES_H

#include "commonpair.h"
#include "herbcategory.h"
#include "pairitem.h"
#include "superpair.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QSet>
#include <QString>
#include <QVector>

class QIODevice;

// Loaders (called once at start-up).
bool loadPairTable(QIODevice *device);
bool loadCodeDictionary(QIODevice *device);
bool loadCommonPairs(QIODevice *device);
bool loadSuperPairs(QIODevice *device);
bool loadHateList(QIODevice *device);
bool loadOpposeList(QIODevice *device);
bool loadPairMap(const QString &path);
bool loadHerbCategories(const QString &path);

// Read access to the tables.
const QVector<pairRule> &pairTable();
const textSet &pairHerbSet();
const QList<superPair> &superPairTable();
const QList<commonPair> &commonPairTable();
const QMap<QString, QString> &pairCodePhrases();
const QMap<QString, textSet> &pairCodeGroups();
const QList<QPair<QString, QString>> &hateList();
const QList<QPair<QString, QString>> &opposeList();
const QStringList &verseList();
const QStringList &pairMapRules();
const textSet &herbCategoryIndex();
const QList<herbCategoryNode> &herbCategoryNodes();
const QList<herbCategoryUnit> &herbCategoryUnits();

// Queries.
int findPair(const QString &a, const QString &b);
// Ascending positions of the pair rules that hold two herbs, both among herbs
// (names as written, not trimmed), and of the rules that do not hold two.
QVector<int> pairsWithin(const QSet<QString> &herbs);
// Ascending positions of the super pairs whose names are all among herbs.
QVector<int> superPairsWithin(const QSet<QString> &herbs);
// Ascending positions of the common groups whose herbs are all among herbs.
QVector<int> commonPairsWithin(const QSet<QString> &herbs);
QString pairDoseText(const pairHerb &first, const pairHerb &second);
QString pairTextForHerb(const QString &herb);
QString pairTextByIndex(int index);
QString translateCode(const QString &text);
QString joinCodeSet(const textSet &set, bool lineBreaks);
textSet applyPairMap(const textSet &herbs);
herbCategoryNode categoryNodeByName(const QString &name);
// True when no hate or oppose pair is wholly in herbs; otherwise false with
// the first such pair (hate pairs are tried before oppose pairs).
bool findIncompatibleHerbs(const textSet &herbs, QString *first, QString *second);

void clearPairRules();

#endif
