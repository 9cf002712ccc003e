#include "scenemesh.h"

#include "sceneray.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Nearest point of triangle abc to p (Ericson, Real-Time Collision Detection).
QVector3D closestOnTriangle(const QVector3D &p, const QVector3D &a, const QVector3D &b, const QVector3D &c)
{
    const QVector3D ab = b - a, ac = c - a, ap = p - a;
    const float d1 = QVector3D::dotProduct(ab, ap), d2 = QVector3D::dotProduct(ac, ap);
    if (d1 <= 0 && d2 <= 0)
        return a;
    const QVector3D bp = p - b;
    const float d3 = QVector3D::dotProduct(ab, bp), d4 = QVector3D::dotProduct(ac, bp);
    if (d3 >= 0 && d4 <= d3)
        return b;
    const float vc = d1 * d4 - d3 * d2;
    if (vc <= 0 && d1 >= 0 && d3 <= 0)
        return a + ab * (d1 / (d1 - d3));
    const QVector3D cp = p - c;
    const float d5 = QVector3D::dotProduct(ab, cp), d6 = QVector3D::dotProduct(ac, cp);
    if (d6 >= 0 && d5 <= d6)
        return c;
    const float vb = d5 * d2 - d1 * d6;
    if (vb <= 0 && d2 >= 0 && d6 <= 0)
        return a + ac * (d2 / (d2 - d6));
    const float va = d3 * d6 - d5 * d4;
    if (va <= 0 && (d4 - d3) >= 0 && (d5 - d6) >= 0)
        return b + (c - b) * ((d4 - d3) / ((d4 - d3) + (d5 - d6)));
    const float denom = 1.0f / (va + vb + vc);
    return a + ab * (vb * denom) + ac * (vc * denom);
}
} // namespace

sceneBox sceneMesh::boundingBox() const
{
    sceneBox box;
    for (const QVector3D &p : positions)
        box.combine(p);
    return box;
}

bool sceneMesh::intersect(const sceneRay &ray, const QVector3D &offset, float *t) const
{
    float best = std::numeric_limits<float>::max();
    const sceneRay local(ray.origin() - offset, ray.direction());
    for (qsizetype i = 0; i + 2 < indices.size(); i += 3) {
        float hit;
        if (local.intersectTriangle(positions[indices[i]], positions[indices[i + 1]], positions[indices[i + 2]], &hit)
            && hit < best)
            best = hit;
    }
    if (best == std::numeric_limits<float>::max())
        return false;
    if (t)
        *t = best;
    return true;
}

float sceneMesh::distanceTo(const QVector3D &point) const
{
    float best = std::numeric_limits<float>::max();
    for (qsizetype i = 0; i + 2 < indices.size(); i += 3) {
        const QVector3D &a = positions[indices[i]], &b = positions[indices[i + 1]], &c = positions[indices[i + 2]];
        // A triangle whose vertices are all farther than the best distance
        // plus its own size cannot be nearer.
        const float reach = std::max((b - a).length(), (c - a).length());
        if ((a - point).length() - reach > best)
            continue;
        best = std::min(best, (closestOnTriangle(point, a, b, c) - point).length());
    }
    return best;
}

sceneMesh sceneMesh::sphere(float radius, int rings, int segments)
{
    sceneMesh m;
    for (int r = 0; r <= rings; ++r) {
        const double theta = M_PI * r / rings;
        for (int s = 0; s <= segments; ++s) {
            const double phi = 2.0 * M_PI * s / segments;
            const QVector3D n(float(std::sin(theta) * std::cos(phi)), float(std::sin(theta) * std::sin(phi)),
                              float(std::cos(theta)));
            m.normals.append(n);
            m.positions.append(n * radius);
        }
    }
    for (int r = 0; r < rings; ++r) {
        for (int s = 0; s < segments; ++s) {
            const quint32 a = quint32(r * (segments + 1) + s), b = a + 1;
            const quint32 c = a + quint32(segments + 1), d = c + 1;
            // Counter-clockwise seen from outside.
            if (r > 0)
                m.indices << a << c << b;
            if (r < rings - 1)
                m.indices << b << c << d;
        }
    }
    return m;
}
