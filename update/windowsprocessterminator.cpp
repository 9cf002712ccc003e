#include "windowsprocessterminator.h"

#ifdef _WIN32

#include <QByteArray>

#include <windows.h>
#include <tlhelp32.h>

namespace {
// The user SID of a process's token; empty when it cannot be read.
QByteArray processUser(HANDLE process)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return QByteArray();
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    QByteArray buffer(int(size), '\0');
    QByteArray sid;
    if (size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
        const auto *user = reinterpret_cast<const TOKEN_USER *>(buffer.constData());
        const DWORD length = GetLengthSid(user->User.Sid);
        sid = QByteArray(reinterpret_cast<const char *>(user->User.Sid), int(length));
    }
    CloseHandle(token);
    return sid;
}

QString processImage(HANDLE process)
{
    wchar_t path[32768];
    DWORD size = sizeof(path) / sizeof(path[0]);
    if (!QueryFullProcessImageNameW(process, 0, path, &size))
        return QString();
    return QString::fromWCharArray(path, int(size));
}
} // namespace

QList<qint64> windowsProcessTerminator::findProcesses(const QString &fileName, const QString &filePath) const
{
    QList<qint64> found;
    const QByteArray me = processUser(GetCurrentProcess());
    if (me.isEmpty())
        return found;
    const DWORD self = GetCurrentProcessId();
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return found;
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == self || entry.th32ProcessID == 0)
            continue;
        const QString name = QString::fromWCharArray(entry.szExeFile);
        if (!isSameExecutable(name, fileName, QString(), Qt::CaseInsensitive))
            continue;
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        if (!process)
            continue; // not ours to query, so not ours to end
        const bool sameUser = processUser(process) == me;
        QString image = processImage(process);
        CloseHandle(process);
        if (image.isEmpty())
            image = name;
        if (sameUser && isSameExecutable(image, fileName, filePath, Qt::CaseInsensitive))
            found.append(qint64(entry.th32ProcessID));
    }
    CloseHandle(snapshot);
    return found;
}

bool windowsProcessTerminator::terminateProcess(qint64 pid)
{
    if (pid <= 0 || DWORD(pid) == GetCurrentProcessId())
        return false;
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, DWORD(pid));
    if (!process)
        return false;
    const bool ended = TerminateProcess(process, 0) != 0;
    if (ended)
        WaitForSingleObject(process, 5000);
    CloseHandle(process);
    return ended;
}

#endif
