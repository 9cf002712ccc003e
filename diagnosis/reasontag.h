#ifndef REASONTAG_H
#define REASONTAG_H

#include <QString>

// A hint carried by an answer: a pattern code (or, in the group chooser, the
// ids of the group the answer stands for) with a weight that no computation
// uses.
struct reasonTag
{
    QString name;
    float value = 0;
};

#endif
