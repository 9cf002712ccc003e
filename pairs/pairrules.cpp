#include "pairrules.h"

bool loadPairTable(QIODevice *) { return false; }
bool loadCodeDictionary(QIODevice *) { return false; }
bool loadCommonPairs(QIODevice *) { return false; }
bool loadSuperPairs(QIODevice *) { return false; }
bool loadHateList(QIODevice *) { return false; }
bool loadOpposeList(QIODevice *) { return false; }
bool loadPairMap(const QString &) { return false; }
bool loadHerbCategories(const QString &) { return false; }
