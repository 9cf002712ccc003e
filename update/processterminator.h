#ifndef PROCESSTERMINATOR_H
#define PROCESSTERMINATOR_H

#include <QList>
#include <QString>

// Stops running instances of the main program before its executable is
// replaced. A process is an instance when it belongs to the same user, is not
// this process, its executable's file name equals the wanted one as a whole
// ("LC" is not "LCX" nor "xLC"), and, where the platform tells the
// executable's full path, it is the very file that is about to be replaced.
class processTerminator
{
public:
    virtual ~processTerminator();

    // The process ids of the instances of the executable filePath, whose file
    // name is fileName.
    virtual QList<qint64> findProcesses(const QString &fileName, const QString &filePath) const = 0;
    // Ends one process at once; false when it could not be ended.
    virtual bool terminateProcess(qint64 pid) = 0;

    // Ends every instance; returns how many were ended.
    int terminateAll(const QString &fileName, const QString &filePath);

    // The name rule above, for a process whose executable is processImage (a
    // full path, or only the file name when the path is not known).
    static bool isSameExecutable(const QString &processImage, const QString &fileName, const QString &filePath,
                                 Qt::CaseSensitivity cs);

    // The terminator of this platform (process-wide).
    static processTerminator &platformTerminator();
};

#endif
