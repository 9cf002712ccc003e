#ifndef HERBCATEGORY_H
#define HERBCATEGORY_H

#include "textset.h"

#include <QStringList>

// A therapeutic category: key effects, symptoms, description, taboos.
struct herbCategoryNode
{
    QString item;
    QStringList key;
    QStringList arg;
    QStringList desc;
    QStringList tb;
    QStringList value;
};

// The herbs that belong to a category.
struct herbCategoryUnit
{
    QString id;
    textSet herbs;
};

#endif
