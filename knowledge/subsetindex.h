#ifndef SUBSETINDEX_H
#define SUBSETINDEX_H

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

// An index over an ordered list of name sets (the core herbs of each formula,
// the herbs of each pair rule or group) that answers, for a set of names, the
// positions of the entries a walk of the list would accept, in list order:
// within() those whose names are all in the set, touching() those that hold
// at least one of them. An entry without names is in every answer, as a walk
// testing "all of its names" would accept it. Names compare exactly.
class subsetIndex
{
public:
    // Rebuilds the index over the entries (each a list of names; repeats in
    // one entry count once).
    void build(const QList<QStringList> &entries);
    void clear();
    bool isBuilt() const { return m_built; }
    int entryCount() const { return int(m_sizes.size()); }

    // Ascending positions of the entries whose names all lie in names.
    QVector<int> within(const QSet<QString> &names) const;
    // Ascending positions of the entries holding at least one of names, and
    // of the entries without names.
    QVector<int> touching(const QSet<QString> &names) const;

private:
    QVector<int> m_sizes;               // distinct names of each entry
    QHash<QString, QVector<int>> m_postings; // name -> ascending entries holding it
    QVector<int> m_empty;               // entries without names
    bool m_built = false;
};

#endif
