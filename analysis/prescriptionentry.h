#ifndef PRESCRIPTIONENTRY_H
#define PRESCRIPTIONENTRY_H

#include <QList>
#include <QString>

// One line of a prescription: a canonical herb name and its dose in grams.
struct prescriptionEntry
{
    double dose = 0;
    QString name;
};

// The most herbs a prescription may hold.
constexpr int maxPrescriptionHerbs = 18;

#endif
