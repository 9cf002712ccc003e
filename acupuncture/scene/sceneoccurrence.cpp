#include "sceneoccurrence.h"

sceneOccurrence::sceneOccurrence(std::shared_ptr<const sceneMesh> mesh, const sceneMaterial &material)
    : m_mesh(std::move(mesh)), m_material(material)
{
}

sceneBox sceneOccurrence::boundingBox() const
{
    if (!m_mesh)
        return sceneBox();
    return m_mesh->boundingBox().translated(m_translation);
}
