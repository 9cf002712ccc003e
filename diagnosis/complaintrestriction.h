#ifndef COMPLAINTRESTRICTION_H
#define COMPLAINTRESTRICTION_H

#include <QSet>
#include <QString>

// A restriction entry: a set of complaint codes (for "female", "male",
// "child"), or the answers of one group for a complaint code.
struct complaintRestriction
{
    QSet<QString> values;
    QString group;
};

#endif
