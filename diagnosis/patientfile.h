#ifndef PATIENTFILE_H
#define PATIENTFILE_H

#include "patientprofile.h"

#include <QByteArray>
#include <QString>

// The document of a personal information file: root "psif" with name,
// sexuality, age, height, weight, occupation, location, state (a woman's
// only) and inborn with one item per constitution id.
QByteArray patientDocument(const patientProfile &profile);

// Writes the document; the file is replaced only once it is completely
// written. On failure reason receives the message.
bool writePatientFile(const QString &path, const patientProfile &profile, QString *reason = nullptr);

// Reads a personal information file. The whole file is checked first: a
// file that cannot be read, is not XML, is not a "psif" document or holds a
// value that is not a number where one belongs (or a sex other than 0 and 1)
// is refused, and reason receives the message saying why.
bool readPatientFile(const QString &path, patientProfile *out, QString *reason = nullptr);
bool readPatientBytes(const QByteArray &bytes, const QString &name, patientProfile *out,
                      QString *reason = nullptr);

#endif
