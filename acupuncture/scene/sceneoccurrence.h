#ifndef SCENEOCCURRENCE_H
#define SCENEOCCURRENCE_H

#include "scenebox.h"
#include "scenematerial.h"
#include "scenemesh.h"

#include <memory>

// One thing placed in the world: a mesh (shared between occurrences), its
// own material, a translation and whether it is shown. An occurrence with a
// pick radius is picked as the sphere of that radius around its position.
class sceneOccurrence
{
public:
    sceneOccurrence() = default;
    sceneOccurrence(std::shared_ptr<const sceneMesh> mesh, const sceneMaterial &material);

    quint32 id() const { return m_id; }
    const sceneMesh *mesh() const { return m_mesh.get(); }
    std::shared_ptr<const sceneMesh> sharedMesh() const { return m_mesh; }

    sceneMaterial &material() { return m_material; }
    const sceneMaterial &material() const { return m_material; }
    void setMaterial(const sceneMaterial &m) { m_material = m; }

    QVector3D translation() const { return m_translation; }
    void translate(const QVector3D &offset) { m_translation += offset; }

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

    float pickRadius() const { return m_pickRadius; }
    void setPickRadius(float r) { m_pickRadius = r; }

    sceneBox boundingBox() const;

private:
    friend class sceneWorld;
    quint32 m_id = 0;
    std::shared_ptr<const sceneMesh> m_mesh;
    sceneMaterial m_material;
    QVector3D m_translation;
    bool m_visible = true;
    float m_pickRadius = 0.0f;
};

#endif
