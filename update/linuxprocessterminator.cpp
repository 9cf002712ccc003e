#include "linuxprocessterminator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace {
// Real uid from the "Uid:" line of /proc/<pid>/status; false when unreadable.
bool readOwner(const QString &statusPath, uint &uid)
{
    QFile status(statusPath);
    if (!status.open(QIODevice::ReadOnly))
        return false;
    // Files under /proc report a size of 0: read until the end, not by size.
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (!line.startsWith("Uid:"))
            continue;
        const QList<QByteArray> fields = line.mid(4).simplified().split(' ');
        bool ok = false;
        uid = fields.value(0).toUInt(&ok);
        return ok;
    }
    return false;
}

// Target of the "exe" link; the kernel marks a replaced or removed file.
QString readExecutable(const QString &linkPath)
{
    QString target = QFile::symLinkTarget(linkPath);
    const QString deleted = QStringLiteral(" (deleted)");
    if (target.endsWith(deleted))
        target.chop(deleted.size());
    return target;
}
} // namespace

linuxProcessTerminator::linuxProcessTerminator(const QString &procRoot)
    : m_root(procRoot)
    , m_uid(::getuid())
    , m_self(::getpid())
{
}

QList<qint64> linuxProcessTerminator::findProcesses(const QString &fileName, const QString &filePath) const
{
    QList<qint64> found;
    const QStringList entries = QDir(m_root).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid || pid <= 0 || pid == m_self)
            continue;
        const QString dir = m_root + QLatin1Char('/') + entry;
        uint owner = 0;
        if (!readOwner(dir + QStringLiteral("/status"), owner) || owner != m_uid)
            continue;
        const QString image = readExecutable(dir + QStringLiteral("/exe"));
        if (image.isEmpty())
            continue; // kernel threads, or gone meanwhile
        if (isSameExecutable(image, fileName, filePath, Qt::CaseSensitive))
            found.append(pid);
    }
    return found;
}

bool linuxProcessTerminator::terminateProcess(qint64 pid)
{
    if (pid <= 0 || pid == m_self)
        return false;
    return ::kill(static_cast<pid_t>(pid), SIGKILL) == 0;
}
