#ifndef COMPLAINTCATEGORY_H
#define COMPLAINTCATEGORY_H

#include <QList>
#include <QPair>
#include <QString>

// A category of complaints: (id, text) entries under a name.
struct complaintCategory
{
    QString name;
    QString id;
    QList<QPair<QString, QString>> entries;
};

#endif
