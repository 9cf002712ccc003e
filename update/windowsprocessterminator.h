#ifndef WINDOWSPROCESSTERMINATOR_H
#define WINDOWSPROCESSTERMINATOR_H

#include "processterminator.h"

// Finds processes with a Tool Help snapshot; the owner is compared by the SID
// of the process token, the path by QueryFullProcessImageName. Ends them with
// TerminateProcess (exit code 0) and waits briefly until they are gone, so
// that their executable can be replaced.
class windowsProcessTerminator : public processTerminator
{
public:
    QList<qint64> findProcesses(const QString &fileName, const QString &filePath) const override;
    bool terminateProcess(qint64 pid) override;
};

#endif
