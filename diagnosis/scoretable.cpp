#include "scoretable.h"

#include <limits>

void scoreTable::ensure(const QString &fact)
{
    if (!m_entries.contains(fact))
        m_entries.insert(fact, entry());
}

void scoreTable::add(const QString &fact, int amount)
{
    // A rule adds the scores of the facts it matched, so rules that build on
    // one another can double a score at every step; on rules made that way
    // the score stops at the largest number instead of running over.
    int &score = m_entries[fact].score;
    const qint64 sum = qint64(score) + amount;
    score = int(qBound(qint64(std::numeric_limits<int>::min()), sum, qint64(std::numeric_limits<int>::max())));
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
