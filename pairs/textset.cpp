#include "textset.h"

QStringList sortedTexts(const textSet &set)
{
    QStringList list(set.begin(), set.end());
    list.sort();
    return list;
}

textSet splitToSet(const QString &text, QChar separator)
{
    const QStringList parts = text.split(separator);
    return textSet(parts.begin(), parts.end());
}
