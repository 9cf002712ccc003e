#ifndef CONSULTATIONFILE_H
#define CONSULTATIONFILE_H

#include <QSet>
#include <QString>

// An exported consultation is small and flat; a larger or deeper file is
// refused before it is parsed.
constexpr qint64 maxConsultationFileBytes = 1024 * 1024;
constexpr int maxConsultationFileDepth = 16;

// Reads an exported consultation (".dg") into the symptom test's input
// "CODE:ID,ID,...". On failure the input is left alone and reason receives
// the message saying why (a phrase of block "misc" with the file name).
bool readConsultationInput(const QString &path, QString *input, QString *reason = nullptr);

// The ".dg" document of a consultation: the main complaint, the patient of
// the process-wide record and one item per confirmed answer (in ascending
// order; an empty id gives no item).
QByteArray consultationDocument(const QString &mainsuit, const QSet<QString> &answers);

// Writes that document to the path. The file is replaced only once the
// whole document is written; on failure an existing file stays as it was
// and reason receives the message saying so.
bool writeConsultationFile(const QString &path, const QString &mainsuit, const QSet<QString> &answers,
                           QString *reason = nullptr);

#endif
