#ifndef DIAGNOSISRULES_H
#define DIAGNOSISRULES_H

#include "coderule.h"
#include "diagnosiscell.h"

#include <QList>
#include <QMap>
#include <QMultiMap>
#include <QString>

// The rules that turn answers into codes, in load order.
struct diagnosisRules
{
    QMap<QString, QString> unitMap;       // answer id -> code
    QMap<QString, QString> mainsuitMap;   // main complaint -> answer id
    QMultiMap<QString, QString> contradictPairs; // both directions
    QList<codeRule> groupRules;           // all answers together -> code
    QList<codeRule> atomRules;            // compound symptom
    QList<codeRule> oneRules;             // each present answer adds
    QList<codeRule> growRules;            // code absorbs its base codes
    QList<codeRule> mergeRules;           // stored only
    QList<codeRule> unityRules;           // stored only
    QList<diagnosisCell> cellList;
};

#endif
