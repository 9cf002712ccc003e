#ifndef SUPERPAIR_H
#define SUPERPAIR_H

#include "textset.h"

#include <QList>
#include <QStringList>

// A companion set that gives a super pair a particular meaning.
struct superPairUnit
{
    textSet data;
    int min = 0;
    QString desc;
};

// Two herbs whose meaning depends on which companions accompany them.
struct superPair
{
    QStringList names;
    QList<superPairUnit> units;
};

#endif
