#include "zoommover.h"

#include "sceneviewport.h"

#include <cmath>

void zoomMover::begin(double x, double y)
{
    m_anchorX = x;
    m_anchorY = y;
    m_last = y;
}

void zoomMover::move(sceneViewport &viewport, double y)
{
    const double factor = std::exp((y - m_last) / 200.0);
    m_last = y;
    if (!viewport.isOrtho()) {
        viewport.camera().setDistance(float(viewport.camera().distance() * factor));
        return;
    }
    const float before = viewport.viewHeight();
    viewport.setViewHeight(float(before * factor));
    // The anchor's offset from the window's centre, in half window heights,
    // covers less (or more) of the scene now: move the camera by the
    // difference.
    const float half = float(viewport.height()) / 2.0f;
    const float sx = float(m_anchorX - viewport.width() / 2.0) / half;
    const float sy = float(viewport.height() / 2.0 - m_anchorY) / half;
    const float shrink = (before - viewport.viewHeight()) / 2.0f;
    sceneCamera &camera = viewport.camera();
    camera.translate(camera.right() * (sx * shrink) + camera.upVector() * (sy * shrink));
}
