#ifndef PAIRHERB_H
#define PAIRHERB_H

#include <QString>

// One herb of a pair rule, with its dose bounds in grams (decimals for the
// herbs dosed below a gram, such as 冰片 0.15 to 0.3).
struct pairHerb
{
    QString name;
    double min = 0;
    double max = 0;
    QString method;
};

#endif
