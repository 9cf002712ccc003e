#ifndef WHOLEFILE_H
#define WHOLEFILE_H

#include <QByteArray>
#include <QFileDevice>
#include <QString>

// Writes a file whole or not at all: the bytes go to a new file beside it
// that replaces the old one only once every byte has reached the disk. On
// failure (a read-only folder, a full disk) the old file is left as it was,
// nothing is left beside it, false is returned and error (when given)
// receives the system's reason. Permissions, when given, are those of the
// new file.
bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *error = nullptr,
                    QFileDevice::Permissions permissions = {});

#endif
