#ifndef PRESCRIPTIONFILE_H
#define PRESCRIPTIONFILE_H

#include "prescriptionentry.h"

#include <QByteArray>
#include <QString>

// A prescription file is small; anything larger, or nested deeper, is refused
// before it is parsed (a deeply nested file would take minutes to build).
constexpr qint64 maxPrescriptionFileBytes = 1024 * 1024;
constexpr int maxPrescriptionFileDepth = 16;

// The content of a prescription file (".pf").
struct prescriptionFile
{
    QString form;          // as read; empty when the file names none
    bool formSeen = false;
    QList<prescriptionEntry> entries;
    QString refusal;       // why the file was refused (the message to show); empty when read
};

// Reads and checks a whole prescription file. False, with the reason in
// refusal and no entries, when the file cannot be read, is too large or too
// deeply nested, is not a prescription, or holds a line that may not be
// imported: an empty name, a dose that is not a positive number, a herb that
// is already there (after alias resolution), or more than
// maxPrescriptionHerbs herbs. Names are stored as canonical herb names.
bool readPrescriptionFile(const QString &path, prescriptionFile *out);

// The same on the bytes of a file; name is the file's name for messages.
bool readPrescriptionBytes(const QByteArray &bytes, const QString &name, prescriptionFile *out);

// The XML text of a prescription file.
QByteArray prescriptionFileText(const QString &form, const QList<prescriptionEntry> &entries);

// Writes a prescription file whole or not at all.
bool writePrescriptionFile(const QString &path, const QString &form, const QList<prescriptionEntry> &entries);

#endif
