#include "versionnumber.h"

#include <QStringList>

versionNumber::versionNumber(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return;
    for (const QString &part : parts) {
        bool ok = false;
        const int n = part.toInt(&ok, 10);
        m_parts.append(ok ? n : 0);
    }
    m_valid = true;
}

QString versionNumber::toString() const
{
    if (!m_valid)
        return QString();
    QStringList parts;
    for (int n : m_parts)
        parts << QString::number(n);
    return parts.join(QLatin1Char('.'));
}

int versionNumber::compare(const versionNumber &a, const versionNumber &b)
{
    for (int i = 0; i < 4; ++i) {
        if (a.m_parts.at(i) != b.m_parts.at(i))
            return a.m_parts.at(i) < b.m_parts.at(i) ? -1 : 1;
    }
    return 0;
}

bool versionNumber::accepts(const QString &entryVersion, const QString &currentVersion)
{
    const versionNumber entry(entryVersion);
    const versionNumber current(currentVersion);
    if (!entry.isValid() || !current.isValid())
        return false;
    // An equal version is offered too: it lets a damaged installation be
    // put right from the same release.
    return compare(entry, current) >= 0;
}
