#ifndef DIAGNOSISCONTEXT_H
#define DIAGNOSISCONTEXT_H

#include "complaintrestriction.h"
#include "diagnosisrules.h"
#include "scoretable.h"

#include <QMap>
#include <QMultiMap>
#include <QSet>
#include <QString>
#include <QVector>

// Everything one diagnosis run works on, built fresh for the run from copies
// of the knowledge tables and discarded afterwards.
struct diagnosisContext
{
    QString mainsuit;
    QSet<QString> answers;  // selected answers plus the main complaint's own
    bool insufficient = false;

    QString formulaText;    // empty, or the text of the formula side
    bool formulaNotCovered = false;
    QString formulaPattern; // the pattern the formula side settled on
    QString acuText;
    bool acuNotCovered = false;
    QString acuPattern;

    scoreTable scores;
    QMap<QString, int> candidates; // pattern code -> score, ascending code order

    diagnosisRules rules;
    QVector<int> cellOrder; // positions in rules.cellList of the cells this complaint can fire
    QMultiMap<QString, complaintRestriction> restrictions;
};

#endif
