#include "browserdata.h"

bool loadFolkCategories(QIODevice *) { return false; }
bool loadFolkRemedies(QIODevice *) { return false; }
bool loadReaderVerses(QIODevice *) { return false; }
bool loadReaderQuotes(QIODevice *) { return false; }
