#ifndef UPDATEARCHIVE_H
#define UPDATEARCHIVE_H

#include <QByteArray>
#include <QString>

// Outcome of taking the new main program out of a downloaded archive.
enum class archiveEntryResult {
    found,        // the entry was read whole and its checksum holds
    notZip,       // the bytes are no zip archive
    missingEntry, // the archive has no entry of that name, or it cannot be opened
    damaged       // the entry's data does not match its checksum or ends early
};

// No real program is larger: an entry that would inflate past this is
// refused before it is read.
constexpr qint64 maxUpdateProgramBytes = 256 * 1024 * 1024;

// Reads the named entry of a zip archive held in memory. An entry larger
// than maxUpdateProgramBytes, or one that inflates to more bytes than the
// archive's directory gives, counts as damaged.
archiveEntryResult readArchiveEntryData(const QByteArray &archive, const QString &entry, QByteArray &data);

// Whether the archive's SHA-256 digest is the hex text given (case and
// surrounding blanks do not matter).
bool matchesSha256(const QByteArray &archive, const QString &hexDigest);

#endif
