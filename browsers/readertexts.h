#ifndef READERTEXTS_H
#define READERTEXTS_H

#include <QStringList>

class QIODevice;

// Formula verses ("#name" then its lines) become "name-line;line;".
bool loadReaderVerses(QIODevice *device);
// Every child of the root element gives one text, its whole text content.
bool loadReaderQuotes(QIODevice *device);

const QStringList &readerTexts();
// How many of the texts (from the start) are verses.
int readerVerseCount();

void clearReaderTexts();

#endif
