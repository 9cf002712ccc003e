#include "scenecamera.h"

#include <cmath>

sceneCamera::sceneCamera() : m_eye(0, 0, 1), m_target(0, 0, 0), m_up(0, 1, 0), m_defaultUp(0, 1, 0) {}

QVector3D sceneCamera::forward() const
{
    return (m_target - m_eye).normalized();
}

QVector3D sceneCamera::right() const
{
    return QVector3D::crossProduct(forward(), m_up).normalized();
}

QVector3D sceneCamera::upVector() const
{
    return QVector3D::crossProduct(right(), forward()).normalized();
}

void sceneCamera::setDefaultUpVector(const QVector3D &up)
{
    m_defaultUp = up.normalized();
}

void sceneCamera::setFrontView()
{
    // The front faces the viewer: looking along up x X (for Z up, along +Y).
    QVector3D look = QVector3D::crossProduct(m_defaultUp, QVector3D(1, 0, 0));
    if (look.lengthSquared() < 1e-6f)
        look = QVector3D::crossProduct(m_defaultUp, QVector3D(0, 1, 0));
    look.normalize();
    const float d = distance() > 0 ? distance() : 1.0f;
    m_eye = m_target - look * d;
    m_up = m_defaultUp;
}

void sceneCamera::setDistance(float distance)
{
    m_eye = m_target - forward() * distance;
}

void sceneCamera::translate(const QVector3D &offset)
{
    m_eye += offset;
    m_target += offset;
}

void sceneCamera::rotateAroundTarget(const QQuaternion &rotation)
{
    m_eye = m_target + rotation.rotatedVector(m_eye - m_target);
    m_up = rotation.rotatedVector(m_up).normalized();
}

QMatrix4x4 sceneCamera::viewMatrix() const
{
    QMatrix4x4 m;
    m.lookAt(m_eye, m_target, upVector());
    return m;
}
