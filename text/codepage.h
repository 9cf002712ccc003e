#ifndef CODEPAGE_H
#define CODEPAGE_H

#include <QByteArray>
#include <QString>

// The knowledge data was written for the Chinese system code page (GBK). Text
// stored in that code page is decoded here, whatever the locale of the machine.
QString decodeSystemCodePage(const QByteArray &bytes);
QByteArray encodeSystemCodePage(const QString &text);

// Decodes the bytes of a text file: a byte-order mark selects its Unicode
// encoding (and is dropped); without one the system code page is used.
QString decodeTextWithBom(const QByteArray &bytes);

#endif
