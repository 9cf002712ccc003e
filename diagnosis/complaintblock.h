#ifndef COMPLAINTBLOCK_H
#define COMPLAINTBLOCK_H

#include "complaintentry.h"

#include <QList>
#include <QString>

// A department of the complaint catalogue with its complaints in file order.
struct complaintBlock
{
    QString name;
    QList<complaintEntry> entries;
};

#endif
