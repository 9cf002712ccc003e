#ifndef ACUSCRIPT_H
#define ACUSCRIPT_H

#include <QList>
#include <QString>

// Points added to an acupuncture prescription when a condition holds.
struct acuModify
{
    QString condition;
    QString acus;
};

// The acupuncture treatment of one diagnosed pattern.
struct acuScriptCase
{
    QString id;
    QString methodModify;
    QString acuIds;
    QString how;
};

// The acupuncture prescription of one main complaint.
struct acuScriptBlock
{
    QString mainsuit;
    QString method;
    QString acus;
    QList<acuModify> modifiers;
    QList<acuScriptCase> cases;
};

#endif
