#include "sceneviewport.h"

#include <algorithm>
#include <cmath>
#include <limits>

sceneViewport::sceneViewport()
{
    m_camera.setDistance(10.0f);
}

void sceneViewport::setWinGLSize(int width, int height)
{
    m_width = std::max(1, width);
    m_height = std::max(1, height);
}

void sceneViewport::setViewHeight(float h)
{
    m_viewHeight = std::clamp(h, 1e-4f, 1e5f);
}

float sceneViewport::aspect() const
{
    return float(m_width) / float(m_height);
}

void sceneViewport::reframe(const sceneBox &box, float coverFactor)
{
    m_camera.translate(box.center() - m_camera.target());
    const float cover = coverFactor * box.radius();
    if (cover <= 0)
        return;
    // The shorter side of the window spans the cover.
    const float height = aspect() >= 1.0f ? cover : cover / aspect();
    const float diagonal = 2.0f * box.radius();
    if (m_ortho) {
        m_viewHeight = height;
        m_camera.setDistance(coverFactor * diagonal);
    } else {
        const float tangent = std::tan(float(M_PI) * m_viewAngle / 360.0f);
        m_camera.setDistance(height / 2 / tangent + diagonal / 2);
    }
}

void sceneViewport::setDistMinAndMax(const sceneBox &box)
{
    if (box.isEmpty()) {
        m_near = m_ortho ? -100.0f : 0.1f;
        m_far = 100.0f;
        return;
    }
    // Depth of the box's corners seen from the eye.
    const QVector3D f = m_camera.forward();
    float lo = std::numeric_limits<float>::max(), hi = -lo;
    for (int i = 0; i < 8; ++i) {
        const QVector3D corner((i & 1 ? box.upper() : box.lower()).x(), (i & 2 ? box.upper() : box.lower()).y(),
                               (i & 4 ? box.upper() : box.lower()).z());
        const float d = QVector3D::dotProduct(corner - m_camera.eye(), f);
        lo = std::min(lo, d);
        hi = std::max(hi, d);
    }
    const float margin = std::max(0.01f, (hi - lo) * 0.05f);
    m_far = hi + margin;
    m_near = m_ortho ? lo - margin : std::max(lo - margin, m_far / 1000.0f);
    if (m_far <= m_near)
        m_far = m_near + 1.0f;
}

QMatrix4x4 sceneViewport::projectionMatrix() const
{
    QMatrix4x4 m;
    if (m_ortho) {
        const float h = m_viewHeight / 2, w = h * aspect();
        m.ortho(-w, w, -h, h, m_near, m_far);
    } else {
        m.perspective(m_viewAngle, aspect(), m_near, m_far);
    }
    return m;
}

sceneRay sceneViewport::rayAt(double x, double y) const
{
    // Offsets from the window's centre in units of half its height.
    const float sx = float((x - m_width / 2.0) / (m_height / 2.0));
    const float sy = float((m_height / 2.0 - y) / (m_height / 2.0));
    const QVector3D f = m_camera.forward(), r = m_camera.right(), u = m_camera.upVector();
    if (m_ortho) {
        const float h = m_viewHeight / 2;
        // Start well in front of everything the depth range holds.
        const QVector3D origin = m_camera.eye() + r * (sx * h) + u * (sy * h) + f * std::min(0.0f, m_near - 1.0f);
        return sceneRay(origin, f);
    }
    const float tangent = std::tan(float(M_PI) * m_viewAngle / 360.0f);
    return sceneRay(m_camera.eye(), f + r * (sx * tangent) + u * (sy * tangent));
}

QPointF sceneViewport::project(const QVector3D &point) const
{
    const QVector3D ndc = (projectionMatrix() * viewMatrix()).map(point);
    return QPointF((ndc.x() + 1.0) / 2.0 * m_width, (1.0 - ndc.y()) / 2.0 * m_height);
}
