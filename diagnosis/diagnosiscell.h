#ifndef DIAGNOSISCELL_H
#define DIAGNOSISCELL_H

#include <QList>
#include <QString>
#include <QStringList>

// A pattern rule: the pattern id is scored when every key part has one of its
// alternatives among the facts and enough of the items are facts.
struct diagnosisCell
{
    QString id;
    QString mainsuit;  // only for this main complaint when not empty
    QString age;       // "(N" younger than N, ")N" older than N, empty: any age
    int count = 0;     // items needed; 0: items are not required
    QList<QStringList> key; // per part, its alternatives
    QStringList items;
    QStringList aux;   // added to the evidence as they stand
    bool done = false; // fired (or ruled out) in the current run
};

#endif
