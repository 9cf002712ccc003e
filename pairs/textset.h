#ifndef TEXTSET_H
#define TEXTSET_H

#include <QSet>
#include <QString>
#include <QStringList>

// An unordered set of texts (functions, targets, taboos, herb names).
using textSet = QSet<QString>;

// The entries of a set in a fixed (sorted) order, so that output built from
// sets is reproducible.
QStringList sortedTexts(const textSet &set);

// A comma-separated list as a set; empty parts are kept.
textSet splitToSet(const QString &text, QChar separator = QLatin1Char(','));

#endif
