#include "trackballmover.h"

#include "sceneviewport.h"

#include <QQuaternion>

#include <algorithm>
#include <cmath>

QPointF trackBallMover::centre(const sceneViewport &viewport)
{
    return QPointF(viewport.width() / 2.0, viewport.height() / 2.0);
}

double trackBallMover::radius(const sceneViewport &viewport)
{
    return 0.8 * std::min(viewport.width(), viewport.height()) / 2.0;
}

QVector3D trackBallMover::ballPoint(const sceneViewport &viewport, double x, double y)
{
    // In view coordinates (x right, y up, z toward the viewer), on the unit
    // ball, or on a hyperbolic sheet outside it so that the motion stays
    // smooth at the rim.
    const QPointF c = centre(viewport);
    const double r = radius(viewport);
    const double px = (x - c.x()) / r, py = (c.y() - y) / r;
    const double d2 = px * px + py * py;
    const double pz = d2 <= 0.5 ? std::sqrt(1.0 - d2) : 0.5 / std::sqrt(d2);
    return QVector3D(float(px), float(py), float(pz)).normalized();
}

void trackBallMover::begin(const sceneViewport &viewport, double x, double y)
{
    m_last = ballPoint(viewport, x, y);
}

void trackBallMover::move(sceneViewport &viewport, double x, double y)
{
    const QVector3D now = ballPoint(viewport, x, y);
    const QVector3D axis = QVector3D::crossProduct(m_last, now);
    const float sine = axis.length();
    const float cosine = QVector3D::dotProduct(m_last, now);
    m_last = now;
    if (sine < 1e-7f)
        return;
    const float degrees = float(std::atan2(sine, cosine) * 180.0 / M_PI);
    sceneCamera &camera = viewport.camera();
    // The axis in the scene: view x, y, z are right, up and backward.
    const QVector3D worldAxis =
        (camera.right() * axis.x() + camera.upVector() * axis.y() - camera.forward() * axis.z()).normalized();
    camera.rotateAroundTarget(QQuaternion::fromAxisAndAngle(worldAxis, -degrees));
}
