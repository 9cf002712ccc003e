#ifndef SCENEMESH_H
#define SCENEMESH_H

#include "scenebox.h"

#include <QList>
#include <QVector2D>
#include <QVector3D>

class sceneRay;

// A triangle mesh: vertex positions with their normals (and texture
// coordinates when the mesh is textured), three indices per triangle.
class sceneMesh
{
public:
    QList<QVector3D> positions;
    QList<QVector3D> normals;
    QList<QVector2D> texCoords;
    QList<quint32> indices;

    int triangleCount() const { return int(indices.size() / 3); }
    sceneBox boundingBox() const;

    // The nearest hit of the ray on the mesh (placed at the offset).
    bool intersect(const sceneRay &ray, const QVector3D &offset, float *t) const;
    // Distance from a point to the nearest point of the surface.
    float distanceTo(const QVector3D &point) const;

    // A sphere around the origin made of rings and segments.
    static sceneMesh sphere(float radius, int rings, int segments);
};

#endif
