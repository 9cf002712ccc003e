#include "sceneray.h"

#include <cmath>

sceneRay::sceneRay(const QVector3D &origin, const QVector3D &direction)
    : m_origin(origin), m_direction(direction.normalized())
{
}

bool sceneRay::intersectSphere(const QVector3D &centre, float radius, float *t) const
{
    // |o + t d - c|^2 = r^2 with |d| = 1: t^2 + 2 b t + c = 0.
    const QVector3D oc = m_origin - centre;
    const double b = QVector3D::dotProduct(oc, m_direction);
    const double c = double(QVector3D::dotProduct(oc, oc)) - double(radius) * radius;
    const double disc = b * b - c;
    if (disc < 0)
        return false;
    const double root = std::sqrt(disc);
    double hit = -b - root;
    if (hit <= 0)
        hit = -b + root;
    if (hit <= 0)
        return false;
    if (t)
        *t = float(hit);
    return true;
}

bool sceneRay::intersectTriangle(const QVector3D &a, const QVector3D &b, const QVector3D &c, float *t) const
{
    // Moeller-Trumbore.
    const QVector3D e1 = b - a, e2 = c - a;
    const QVector3D p = QVector3D::crossProduct(m_direction, e2);
    const float det = QVector3D::dotProduct(e1, p);
    if (std::fabs(det) < 1e-12f)
        return false;
    const float inv = 1.0f / det;
    const QVector3D s = m_origin - a;
    const float u = QVector3D::dotProduct(s, p) * inv;
    if (u < 0.0f || u > 1.0f)
        return false;
    const QVector3D q = QVector3D::crossProduct(s, e1);
    const float v = QVector3D::dotProduct(m_direction, q) * inv;
    if (v < 0.0f || u + v > 1.0f)
        return false;
    const float hit = QVector3D::dotProduct(e2, q) * inv;
    if (hit <= 1e-6f)
        return false;
    if (t)
        *t = hit;
    return true;
}
