#ifndef SCENEWORLD_H
#define SCENEWORLD_H

#include "sceneoccurrence.h"

#include <QHash>
#include <QList>

// The scene: the occurrences under its root, in the order they were added.
// Every occurrence gets an id of its own (never 0, never reused).
class sceneWorld
{
public:
    quint32 addOccurrence(const sceneOccurrence &occurrence);

    bool isEmpty() const { return m_items.isEmpty(); }
    int size() const { return int(m_items.size()); }
    bool contains(quint32 id) const { return m_index.contains(id); }
    sceneOccurrence *occurrence(quint32 id);
    const sceneOccurrence *occurrence(quint32 id) const;
    const QList<sceneOccurrence> &occurrences() const { return m_items; }

    // The box around every occurrence, shown or hidden; empty for an empty
    // world.
    sceneBox boundingBox() const;

private:
    QList<sceneOccurrence> m_items;
    QHash<quint32, qsizetype> m_index;
    quint32 m_lastId = 0;
};

#endif
