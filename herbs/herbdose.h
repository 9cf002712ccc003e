#ifndef HERBDOSE_H
#define HERBDOSE_H

#include <QString>

// Doses are grams with up to three decimals (砒石 takes 0.002 g); whole
// grams are written as before ("9"), others with their decimals ("0.15").

// The largest dose the analysis page takes for any herb.
constexpr double largestDose = 999;

// Reads a dose written as digits with an optional decimal part ("9",
// "0.15", " 1.5 "). False for anything else (signs, units, "1e3", "nan").
bool parseDose(const QString &text, double *grams);

// A dose as it is written and shown: "9", "0.15", "0.015".
QString doseText(double grams);

// Two doses are the same when they agree to the milligram.
bool sameDose(double a, double b);

// The decimals a dose needs when written (0 to 3).
int doseDecimals(double grams);

// Whether a dose of a herb (canonical name) is accepted in a dosage form:
// in a decoction it lies in the herb's range (6 to 15 g for a herb without
// one); in a pill or powder, where one dose holds a small share of each herb,
// it is above 0 and not above the range; in external use it is above 0 and
// not above largestDose. A herb for external use only is accepted in external
// use alone.
bool doseAccepted(const QString &name, double dose, const QString &form);

// Whether a dose taken by mouth is above the most the herb's range allows
// (15 g for a herb without one).
bool doseAboveLimit(const QString &name, double dose);

// The decimals the dose field offers for a herb (typed name or alias) in a
// dosage form: whole grams for a decoction herb whose range is whole grams
// from 1 g up, otherwise steps of 0.01 g (0.001 g where the range needs it,
// and in pills, powders and external use for herbs dosed below 0.1 g).
int doseFieldDecimals(const QString &typed, const QString &form);

#endif
