#ifndef FLOWGRAPH_H
#define FLOWGRAPH_H

#include <QList>
#include <QString>

class QIODevice;

// A formula as the derivation graph knows it.
struct flowUnit
{
    QString name;
    QString from;
    QString function;
    QString target;
    QString type;
    QString component;
};

// One derivation: which herbs were taken out and put in.
struct flowLine
{
    QString fromName;
    QString fromBook;
    QString toName;
    QString toBook;
    QString flag;
};

bool loadFlowFile(QIODevice *device);
// Adds a unit for every classic formula (once, after both flow files).
void mergeLibraryFormulas();

const QList<flowUnit> &flowUnits();
const QList<flowLine> &flowLines();
// Index of the first unit of that name; -1 when none.
int indexOfUnit(const QString &name);
// Deals the units anew in random order (the standard library's generator).
void shuffleFlowUnits();

void clearFlowGraph();

#endif
