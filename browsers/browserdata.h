#ifndef BROWSERDATA_H
#define BROWSERDATA_H

class QIODevice;

bool loadFolkCategories(QIODevice *device);
bool loadFolkRemedies(QIODevice *device);
bool loadReaderVerses(QIODevice *device);
bool loadReaderQuotes(QIODevice *device);

#endif
