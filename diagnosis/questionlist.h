#ifndef QUESTIONLIST_H
#define QUESTIONLIST_H

#include "questionitem.h"

#include <QList>
#include <QString>

// One question of a questionnaire group.
struct questionList
{
    QString title;
    bool exclusive = false; // one answer at most
    QString unselect;       // phrase key of the cannot-tell choice, or empty
    QString type;
    bool grid = false;      // answers in two columns
    QString rule;           // visibility by age, empty: always shown
    QList<questionItem> items;
};

#endif
