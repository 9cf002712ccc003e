#include "wholefile.h"

#include <QSaveFile>

bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *error, QFileDevice::Permissions permissions)
{
    QSaveFile file(path);
    // Unbuffered: a write the disk refuses fails where it is made. A buffered
    // one would fail only in the flush inside commit(), which renames the
    // half-written file over the old one all the same.
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (written && permissions)
        written = file.setPermissions(permissions);
    if (written)
        written = file.write(bytes) == bytes.size() && file.flush();
    if (written)
        written = file.commit();
    else
        file.cancelWriting();
    if (!written && error)
        *error = file.errorString();
    return written;
}
