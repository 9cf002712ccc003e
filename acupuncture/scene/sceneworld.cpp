#include "sceneworld.h"

quint32 sceneWorld::addOccurrence(const sceneOccurrence &occurrence)
{
    sceneOccurrence o = occurrence;
    o.m_id = ++m_lastId;
    m_index.insert(o.m_id, m_items.size());
    m_items.append(o);
    return o.m_id;
}

sceneOccurrence *sceneWorld::occurrence(quint32 id)
{
    const auto it = m_index.constFind(id);
    return it == m_index.constEnd() ? nullptr : &m_items[*it];
}

const sceneOccurrence *sceneWorld::occurrence(quint32 id) const
{
    const auto it = m_index.constFind(id);
    return it == m_index.constEnd() ? nullptr : &m_items[*it];
}

sceneBox sceneWorld::boundingBox() const
{
    sceneBox box;
    for (const sceneOccurrence &o : m_items)
        box.combine(o.boundingBox());
    return box;
}
