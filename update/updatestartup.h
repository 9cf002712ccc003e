#ifndef UPDATESTARTUP_H
#define UPDATESTARTUP_H

#include <QString>
#include <QStringList>

class QUrl;
class updateDesktop;
struct releaseInfo;

// How the start-up of the update program ends.
enum class releaseCheck {
    usageError,     // not the four arguments: exit code -1
    nothingOffered, // no release for this version, or the manifest failed: exit code 0
    offered         // show the window
};

// Fetches a manifest in a local event loop; the text (empty on failure) and,
// on failure, why.
QString fetchManifest(const QUrl &url, QString *failure = nullptr);

// The bytes of a manifest as text: in the system code page, unless a
// byte-order mark or valid UTF-8 says otherwise.
QString decodeManifest(const QByteArray &bytes);

// Start-up before the window: the arguments (program name, then current
// version, manifest address, platform word, executable name), the manifest
// and what it offers. A manifest that cannot be fetched is reported.
releaseCheck checkForRelease(const QStringList &arguments, updateDesktop &desktop, releaseInfo &info,
                             QString &entryName);

// The whole update program; returns its exit code.
int runUpdateProgram(const QStringList &arguments);

#endif
