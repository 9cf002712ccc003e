#ifndef PAIRHERB_H
#define PAIRHERB_H

#include <QString>

// One herb of a pair rule, with its dose bounds in grams.
struct pairHerb
{
    QString name;
    int min = 0;
    int max = 0;
    QString method;
};

#endif
