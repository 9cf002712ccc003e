#include "processterminator.h"

#include <QDir>

#ifdef _WIN32
#include "windowsprocessterminator.h"
#else
#include "linuxprocessterminator.h"
#endif

processTerminator::~processTerminator() = default;

int processTerminator::terminateAll(const QString &fileName, const QString &filePath)
{
    int ended = 0;
    for (qint64 pid : findProcesses(fileName, filePath)) {
        if (terminateProcess(pid))
            ++ended;
    }
    return ended;
}

bool processTerminator::isSameExecutable(const QString &processImage, const QString &fileName,
                                         const QString &filePath, Qt::CaseSensitivity cs)
{
    if (fileName.isEmpty())
        return false;
    const QString image = QDir::fromNativeSeparators(processImage);
    const QString name = image.mid(image.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.compare(fileName, cs) != 0)
        return false;
    if (filePath.isEmpty() || !QDir::isAbsolutePath(image))
        return true;
    return QDir::cleanPath(image).compare(QDir::cleanPath(QDir::fromNativeSeparators(filePath)), cs) == 0;
}

processTerminator &processTerminator::platformTerminator()
{
#ifdef _WIN32
    static windowsProcessTerminator terminator;
#else
    static linuxProcessTerminator terminator;
#endif
    return terminator;
}
