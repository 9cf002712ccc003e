#ifndef SCENERAY_H
#define SCENERAY_H

#include <QVector3D>

// A half-line from an origin along a unit direction, with its hits on
// spheres and triangles. A hit is reported as the distance t along the ray
// (t > 0).
class sceneRay
{
public:
    sceneRay() = default;
    sceneRay(const QVector3D &origin, const QVector3D &direction);

    QVector3D origin() const { return m_origin; }
    QVector3D direction() const { return m_direction; }
    QVector3D pointAt(float t) const { return m_origin + m_direction * t; }

    // The nearest hit on the sphere's surface in front of the origin.
    bool intersectSphere(const QVector3D &centre, float radius, float *t) const;
    // The hit on the triangle, from either side.
    bool intersectTriangle(const QVector3D &a, const QVector3D &b, const QVector3D &c, float *t) const;

private:
    QVector3D m_origin;
    QVector3D m_direction{0, 0, -1};
};

#endif
