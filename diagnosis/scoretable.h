#ifndef SCORETABLE_H
#define SCORETABLE_H

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

// The scored facts of one diagnosis run, in ascending order of the fact:
// every selected answer and every code some rule produced, each with its
// score and the answers and codes that contributed to it.
class scoreTable
{
public:
    struct entry
    {
        int score = 0;
        QSet<QString> evidence;
    };

    // Makes the fact known (score 0, no evidence) unless it already is.
    void ensure(const QString &fact);
    bool contains(const QString &fact) const { return m_entries.contains(fact); }
    int score(const QString &fact) const { return m_entries.value(fact).score; }
    QSet<QString> evidence(const QString &fact) const { return m_entries.value(fact).evidence; }
    int size() const { return int(m_entries.size()); }
    QStringList keys() const { return m_entries.keys(); }
    const QMap<QString, entry> &entries() const { return m_entries; }

    // Adds to a fact's score (ensuring it first).
    void add(const QString &fact, int amount);
    void addEvidence(const QString &fact, const QString &source);
    void addEvidence(const QString &fact, const QStringList &sources);

private:
    QMap<QString, entry> m_entries;
};

#endif
