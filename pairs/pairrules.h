#ifndef PAIRRULES_H
#define PAIRRULES_H

#include <QString>

class QIODevice;

bool loadPairTable(QIODevice *device);
bool loadCodeDictionary(QIODevice *device);
bool loadCommonPairs(QIODevice *device);
bool loadSuperPairs(QIODevice *device);
bool loadHateList(QIODevice *device);
bool loadOpposeList(QIODevice *device);
bool loadPairMap(const QString &path);
bool loadHerbCategories(const QString &path);

#endif
