#ifndef FORMULALIBRARY_H
#define FORMULALIBRARY_H

#include "classicformula.h"
#include "diagnosisformula.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QVector>
#include <QStringList>

class QIODevice;

// The combined function of a group of herbs; each slot lists alternatives.
struct herbGroupFunction
{
    QList<QStringList> slotList; // per slot, its alternative herbs
    int have = 0;
    int min = 0;
    QString level;
    QString text;
};

// The function of a single herb and the indications it serves.
struct herbUnit
{
    QStringList functions;
    QStringList targets;
};

bool loadClassicFormulas(QIODevice *device);
bool loadDiagnosisFormulas(QIODevice *device);
bool loadHerbGroupFunctions(QIODevice *device);
bool loadHerbUnits(QIODevice *device);

// Dose of a formula herb in grams: a trailing unit ("6g", "0.5g", "6克") is
// removed; anything that is then not a number gives 0.
double parseFormulaDose(const QString &doze);

// The classic formulas, largest core (sovereign + minister + assistant) first.
const QList<classicFormula> &classicFormulaTable();
// Ascending positions in the classic formula table of the formulas whose core
// herbs (sovereign, minister, assistant) are all among herbs; a formula
// without core herbs is always among them.
QVector<int> classicFormulasWithin(const QSet<QString> &herbs);
// Ascending positions in the herb-group table of the groups that list one of
// herbs among the alternatives of a slot, and of the groups that list none.
QVector<int> herbGroupsTouching(const QSet<QString> &herbs);
// The first classic formula of a name; null when none.
const classicFormula *findClassicFormula(const QString &name);
const QList<diagnosisFormula> &diagnosisFormulaTable();
const QMap<QString, QStringList> &symptomIndex();
const QList<herbGroupFunction> &herbGroupTable();
const QMap<QString, herbUnit> &herbUnitTable();

QStringList patternsForSymptom(const QString &symptom);
QList<formulaProposal> formulasForSymptom(const QString &symptom);
QList<formulaProposal> formulasForSymptomAndPattern(const QString &symptom, const QString &pattern);

// A proposal with one scene applied (exposed for tests).
formulaProposal applyScene(const formulaProposal &base, const formulaScene &scene);

void clearFormulaLibrary();

#endif
