#include "zoommover.h"

#include "sceneviewport.h"

#include <cmath>

void zoomMover::begin(double y)
{
    m_last = y;
}

void zoomMover::move(sceneViewport &viewport, double y)
{
    const double factor = std::exp((y - m_last) / 200.0);
    m_last = y;
    if (viewport.isOrtho())
        viewport.setViewHeight(float(viewport.viewHeight() * factor));
    else
        viewport.camera().setDistance(float(viewport.camera().distance() * factor));
}
