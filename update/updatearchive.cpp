#include "updatearchive.h"

#include <QBuffer>
#include <QCryptographicHash>

#include <quazip.h>
#include <quazipfile.h>

archiveEntryResult readArchiveEntryData(const QByteArray &archive, const QString &entry, QByteArray &data)
{
    data.clear();
    QByteArray bytes = archive;
    QBuffer buffer(&bytes);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdUnzip))
        return archiveEntryResult::notZip;
    if (entry.isEmpty() || !zip.setCurrentFile(entry))
        return archiveEntryResult::missingEntry;
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::ReadOnly))
        return archiveEntryResult::missingEntry;
    const qint64 expected = file.usize();
    if (expected < 0 || expected > maxUpdateProgramBytes) {
        file.close();
        zip.close();
        return archiveEntryResult::damaged;
    }
    // One byte past the size the directory gives tells an entry that
    // inflates to more, without inflating all of it.
    data = file.read(expected + 1);
    file.close(); // checks the CRC
    const bool whole = file.getZipError() == UNZ_OK && data.size() == expected;
    zip.close();
    if (!whole) {
        data.clear();
        return archiveEntryResult::damaged;
    }
    return archiveEntryResult::found;
}

bool matchesSha256(const QByteArray &archive, const QString &hexDigest)
{
    const QByteArray digest = QCryptographicHash::hash(archive, QCryptographicHash::Sha256).toHex();
    return QString::fromLatin1(digest).compare(hexDigest.trimmed(), Qt::CaseInsensitive) == 0;
}
