#ifndef PRESCRIPTIONFILE_H
#define PRESCRIPTIONFILE_H

#include "prescriptionentry.h"

#include <QString>

// The content of a prescription file (".pf").
struct prescriptionFile
{
    QString form;          // as read; empty when the file names none
    bool formSeen = false;
    QList<prescriptionEntry> entries;
    QString badName;       // the name of a line that could not be read, if any
    bool stoppedEarly = false;
};

// Reads a prescription file. False when it cannot be read, is not XML or is
// not a prescription; the lines up to a line without a usable herb name are
// kept (stoppedEarly is then set).
bool readPrescriptionFile(const QString &path, prescriptionFile *out);

// The XML text of a prescription file.
QByteArray prescriptionFileText(const QString &form, const QList<prescriptionEntry> &entries);

// Writes a prescription file whole or not at all.
bool writePrescriptionFile(const QString &path, const QString &form, const QList<prescriptionEntry> &entries);

#endif
