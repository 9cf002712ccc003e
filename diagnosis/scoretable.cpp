#include "scoretable.h"

void scoreTable::ensure(const QString &fact)
{
    if (!m_entries.contains(fact))
        m_entries.insert(fact, entry());
}

void scoreTable::add(const QString &fact, int amount)
{
    m_entries[fact].score += amount;
}

void scoreTable::addEvidence(const QString &fact, const QString &source)
{
    m_entries[fact].evidence.insert(source);
}

void scoreTable::addEvidence(const QString &fact, const QStringList &sources)
{
    entry &e = m_entries[fact];
    for (const QString &s : sources)
        e.evidence.insert(s);
}
