#include "scenemovercontroller.h"

#include "sceneviewport.h"

sceneMoverController::sceneMoverController(sceneViewport *viewport, const QColor &color)
    : m_viewport(viewport), m_color(color)
{
}

void sceneMoverController::setActiveMover(int type, double x, double y)
{
    if (type == trackBall) {
        m_trackBall.begin(*m_viewport, x, y);
        m_active = trackBall;
    } else if (type == zoom) {
        m_zoom.begin(x, y);
        m_active = zoom;
    } else {
        m_active = noMover;
    }
}

void sceneMoverController::move(double x, double y)
{
    if (m_active == trackBall)
        m_trackBall.move(*m_viewport, x, y);
    else if (m_active == zoom)
        m_zoom.move(*m_viewport, y);
}

sceneMoverController::representation sceneMoverController::activeMoverRep() const
{
    representation r;
    if (m_active != trackBall)
        return r;
    r.visible = true;
    r.centre = trackBallMover::centre(*m_viewport);
    r.radius = trackBallMover::radius(*m_viewport);
    r.color = m_color;
    return r;
}
