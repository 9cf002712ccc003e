#ifndef VERSIONNUMBER_H
#define VERSIONNUMBER_H

#include <QList>
#include <QString>

// A release version: four numbers separated by ".", such as "4.9.6.10".
class versionNumber
{
public:
    // Reads a version text. It is valid only with exactly four parts; a part
    // that is not a decimal number counts as 0.
    explicit versionNumber(const QString &text);

    bool isValid() const { return m_valid; }
    const QList<int> &parts() const { return m_parts; }

    // The version written with its four numbers ("4.9.6.10"); empty when invalid.
    QString toString() const;

    // Orders by significance: the first differing number decides.
    // Negative, zero or positive like strcmp; both sides must be valid.
    static int compare(const versionNumber &a, const versionNumber &b);

    // Whether a manifest entry of this version is offered to a program running
    // the current version: both valid, and the entry not older.
    static bool accepts(const QString &entryVersion, const QString &currentVersion);

private:
    QList<int> m_parts;
    bool m_valid = false;
};

#endif
