#include "subsetindex.h"

#include <algorithm>
#include <iterator>
#include <vector>

void subsetIndex::build(const QList<QStringList> &entries)
{
    clear();
    m_sizes.reserve(entries.size());
    for (int i = 0; i < entries.size(); ++i) {
        const QSet<QString> names(entries.at(i).begin(), entries.at(i).end());
        m_sizes.append(int(names.size()));
        if (names.isEmpty())
            m_empty.append(i);
        for (const QString &n : names)
            m_postings[n].append(i);
    }
    m_built = true;
}

void subsetIndex::clear()
{
    m_sizes.clear();
    m_postings.clear();
    m_empty.clear();
    m_built = false;
}

namespace {
QVector<int> mergeSorted(const QVector<int> &a, const QVector<int> &b)
{
    QVector<int> out;
    out.reserve(a.size() + b.size());
    std::merge(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
    return out;
}
} // namespace

QVector<int> subsetIndex::within(const QSet<QString> &names) const
{
    // Count, per entry, how many of its names are in the set; the names of a
    // set are distinct, so an entry whose count reaches its size has them all.
    std::vector<int> counts(size_t(m_sizes.size()), 0);
    QVector<int> found;
    for (const QString &n : names) {
        const auto it = m_postings.constFind(n);
        if (it == m_postings.constEnd())
            continue;
        for (int e : *it) {
            if (++counts[size_t(e)] == m_sizes.at(e))
                found.append(e);
        }
    }
    std::sort(found.begin(), found.end());
    return m_empty.isEmpty() ? found : mergeSorted(found, m_empty);
}

QVector<int> subsetIndex::touching(const QSet<QString> &names) const
{
    std::vector<bool> seen(size_t(m_sizes.size()), false);
    QVector<int> found;
    for (const QString &n : names) {
        const auto it = m_postings.constFind(n);
        if (it == m_postings.constEnd())
            continue;
        for (int e : *it) {
            if (!seen[size_t(e)]) {
                seen[size_t(e)] = true;
                found.append(e);
            }
        }
    }
    std::sort(found.begin(), found.end());
    return m_empty.isEmpty() ? found : mergeSorted(found, m_empty);
}
