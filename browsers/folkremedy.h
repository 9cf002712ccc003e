#ifndef FOLKREMEDY_H
#define FOLKREMEDY_H

#include <QString>

// A folk remedy for one complaint.
struct folkRemedy
{
    QString name;
    QString from;
    QString target;
    QString function;
    QString component;
    QString comment;
    QString method;
    QString taboo;
    QString usage;
};

#endif
