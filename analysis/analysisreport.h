#ifndef ANALYSISREPORT_H
#define ANALYSISREPORT_H

#include "prescriptionentry.h"

#include <QString>
#include <QStringList>

#include <functional>

// The outcome of analysing a prescription as the user sees it.
struct analysisReport
{
    bool ok = false;          // a report was written
    QString report;           // the five-section report
    QString message;          // the message shown instead (failure or unknown)
    QStringList functions;    // F: translated, folded, without repeats
    QStringList targets;      // T
    QStringList taboos;       // B
};

// Runs one analysis and writes its report. progress receives 0..100 along the
// way and -1 at the end (it may be empty).
analysisReport analysePrescription(const QString &form, const QList<prescriptionEntry> &entries,
                                   const std::function<void(int)> &progress = {});

// Joins the entries of a report section with ",": empty entries are left
// out, and no comma follows an entry that already ends in a punctuation mark
// (a sentence ending in "。" is followed directly by the next).
QString joinReportTexts(const QStringList &texts);

// The checks made when a herb is added by hand in a dosage form; empty when
// it may be added, otherwise the message to show. canonical receives the name
// to store. A dose that is not above 0, or outside what the form accepts
// (doseAccepted), is refused with the dose message; a herb for external use
// only, outside external use, with its own message.
QString checkNewEntry(const QList<prescriptionEntry> &entries, const QString &typed, double dose,
                      QString *canonical, const QString &form = QStringLiteral("decoction"));

#endif
