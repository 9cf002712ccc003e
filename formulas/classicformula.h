#ifndef CLASSICFORMULA_H
#define CLASSICFORMULA_H

#include <QList>
#include <QString>

// One herb of a formula, with its dose in grams and its preparation.
struct formulaHerb
{
    QString name;
    QString method;
    double dose = 0; // grams
};

// A classic formula with its herbs arranged by role.
struct classicFormula
{
    QString name;
    QString source;
    QString form;      // decoction, pill, powder, external
    QString category;  // 辛温解表 …
    QString functions;
    QString indications;
    QString cautions;
    QList<formulaHerb> sovereign; // 君 (j)
    QList<formulaHerb> minister;  // 臣 (c)
    QList<formulaHerb> assistant; // 佐 (z)
    QList<formulaHerb> envoy;     // 使 (s)

    // The role list of a role letter ("j", "c", "z", "s"); empty for others.
    const QList<formulaHerb> &role(const QString &letter) const;
    // Number of herbs of the sovereign, minister and assistant lists.
    int coreSize() const;
};

#endif
