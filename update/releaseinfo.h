#ifndef RELEASEINFO_H
#define RELEASEINFO_H

#include <QString>

// What the release manifest offers to the running version.
struct releaseInfo
{
    QString currentVersion; // version of the running main program
    QString version;        // version of the accepted manifest entry
    QString content;        // release notes
    QString win32;          // address of the archive that is downloaded
    QString win64;
    QString macos;
    QString detail;         // page with details of the release
    QString download;       // page for a manual download
    QString sha256;         // hex digest of the archive at win32; empty: not checked
};

// Reads a release manifest against info.currentVersion. The root element must
// be the document's first node (no XML declaration, comment or doctype before
// it); every child element of the root is an entry with a "version" attribute.
// Entries accepted by versionNumber::accepts fill info in document order, a
// later one overwriting the fields it carries. Returns whether any entry was
// accepted; on a parse error nothing is accepted.
bool readReleaseInfo(const QString &manifest, releaseInfo &info);

#endif
