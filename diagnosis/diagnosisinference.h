#ifndef DIAGNOSISINFERENCE_H
#define DIAGNOSISINFERENCE_H

#include "diagnosiscontext.h"

#include <QSet>
#include <QString>

struct formulaProposal;

// The side of the result the user takes when both a formula and an
// acupuncture prescription were found.
enum class prescriptionSide { formula, acupuncture };

// True for the pattern codes: four digits, or "F" and three digits.
bool isPatternCode(const QString &code);

// A fresh context: copies of the rule tables, the answers plus the answer the
// main complaint stands for, every answer a fact with score 0.
diagnosisContext buildDiagnosisContext(const QString &mainsuit, const QSet<QString> &answers);

// Scores the answers into facts and collects the candidate patterns; stops
// at once when there are too few answers.
void inferPatterns(diagnosisContext &context);

// Fills the formula and the acupuncture side from the candidates.
void choosePrescription(diagnosisContext &context);

// buildDiagnosisContext, inferPatterns and choosePrescription in one call.
diagnosisContext runInference(const QString &mainsuit, const QSet<QString> &answers);

// True when both sides hold a different prescription, so that the user has
// to choose one.
bool needsPrescriptionChoice(const diagnosisContext &context);

// The text shown for a run: the side the rules settle on, or the chosen side
// when both hold a prescription; a side that does not cover the complaint is
// shown as its phrase.
QString diagnosisResultText(const diagnosisContext &context, prescriptionSide chosen = prescriptionSide::formula);

// The side diagnosisResultText takes.
prescriptionSide resultSide(const diagnosisContext &context, prescriptionSide chosen = prescriptionSide::formula);

// The pattern behind the shown side; empty when that side settled on none.
QString resultPattern(const diagnosisContext &context, prescriptionSide chosen = prescriptionSide::formula);

// A formula proposal as the result dialog shows it.
QString formulaProposalText(const formulaProposal &proposal);

// The summary appended to a prescription: the pattern, the main complaint
// and the answers and compound symptoms that led to the pattern.
QString patternSummary(const diagnosisContext &context, const QString &pattern);

// Checks the patient of the process-wide record against a main complaint:
// the phrase key (block "diagnosis") of the refusal, or empty when the
// patient fits.
QString checkPatientAgainstComplaint(const QString &mainsuit);

// Reads the symptom test's input "CODE:ID,ID,...". False unless the trimmed
// input has exactly one ":".
bool parseSymptomTestInput(const QString &input, QString *mainsuit, QSet<QString> *answers);

#endif
