#ifndef DIAGNOSISFORMULA_H
#define DIAGNOSISFORMULA_H

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// A herb line of a diagnosis formula; the dose stays as written ("10g").
struct herbLine
{
    QString name;
    QString dose;
    QString method;
};

// A variant of a diagnosis formula: herbs added or removed when all its
// conditions hold.
struct formulaScene
{
    QStringList conditions;
    QList<herbLine> plus;
    QStringList minus;
};

// A formula attached to one pattern and one main complaint of the diagnosis.
struct diagnosisFormula
{
    bool miss = false;
    QString pattern;
    QString comment;
    QString source;
    QStringList arguments;
    QString symptom;
    QString name;
    QString form;
    QList<herbLine> herbs;
    QList<formulaScene> scenes;
    QString taboo;
    QString pill;
    QString usage;
    QString acupuncture;
    QString method;
};

// What the diagnosis is offered: a formula with the conditions it needs.
struct formulaProposal
{
    QString name;
    QString form;
    QList<herbLine> herbs;
    QString taboo;
    QString pill;
    QString usage;
    QString acupuncture;
    QString source;
    QString method;
    QSet<QString> conditions;
};

#endif
