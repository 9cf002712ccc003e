#ifndef RUNDIAGNOSIS_H
#define RUNDIAGNOSIS_H

#include <QSet>
#include <QString>

class QWidget;
struct diagnosisContext;

// The text a finished run shows; asks the user for the side when both a
// formula and an acupuncture prescription were found.
QString chooseResultText(QWidget *parent, const diagnosisContext &context);

// Diagnoses a consultation and shows the result dialog modally; returns
// the text shown. The caller resets the consultation afterwards.
QString runDiagnosis(QWidget *parent, const QString &mainsuit, const QSet<QString> &answers);

#endif
