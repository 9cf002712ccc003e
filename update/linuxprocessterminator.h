#ifndef LINUXPROCESSTERMINATOR_H
#define LINUXPROCESSTERMINATOR_H

#include "processterminator.h"

// Finds processes through the /proc file system: the owner from the real uid
// in "status", the executable from the "exe" link. Ends them with SIGKILL,
// which like TerminateProcess gives them no chance to object.
class linuxProcessTerminator : public processTerminator
{
public:
    // procRoot: where the process folders are (tests point it at a copy).
    explicit linuxProcessTerminator(const QString &procRoot = QStringLiteral("/proc"));

    QList<qint64> findProcesses(const QString &fileName, const QString &filePath) const override;
    bool terminateProcess(qint64 pid) override;

    // The user whose processes count, and the process never to end; by
    // default the user and the process running this code.
    void setUser(uint uid) { m_uid = uid; }
    void setSelf(qint64 pid) { m_self = pid; }

private:
    QString m_root;
    uint m_uid;
    qint64 m_self;
};

#endif
