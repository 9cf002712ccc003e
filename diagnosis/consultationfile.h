#ifndef CONSULTATIONFILE_H
#define CONSULTATIONFILE_H

#include <QString>

// An exported consultation is small and flat; a larger or deeper file is
// refused before it is parsed.
constexpr qint64 maxConsultationFileBytes = 1024 * 1024;
constexpr int maxConsultationFileDepth = 16;

// Reads an exported consultation (".dg") into the symptom test's input
// "CODE:ID,ID,...". On failure the input is left alone and reason receives
// the message saying why (a phrase of block "misc" with the file name).
bool readConsultationInput(const QString &path, QString *input, QString *reason = nullptr);

#endif
