#ifndef COMPLAINTENTRY_H
#define COMPLAINTENTRY_H

#include <QString>
#include <QStringList>

// A main complaint of the catalogue.
struct complaintEntry
{
    QString code;
    QString description;
    QString type;
    QString age;               // "(N" younger than N years, ")N" older than N
    QStringList groups;        // questionnaire groups the complaint needs
    QStringList furtherGroups; // stored only
};

#endif
