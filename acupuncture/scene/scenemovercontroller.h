#ifndef SCENEMOVERCONTROLLER_H
#define SCENEMOVERCONTROLLER_H

#include "trackballmover.h"
#include "zoommover.h"

#include <QColor>
#include <QPointF>

class sceneViewport;

// Runs one mouse mover at a time on a viewport: a press starts a mover, moves
// drive it, the release ends it. While the track ball turns the scene, its
// outline is shown in the controller's colour.
class sceneMoverController
{
public:
    // The numbers are those the viewer's mouse handlers use.
    enum moverType { noMover = 0, zoom = 2, trackBall = 3 };

    struct representation
    {
        bool visible = false;
        QPointF centre;
        double radius = 0;
        QColor color;
    };

    sceneMoverController(sceneViewport *viewport, const QColor &color);

    void setActiveMover(int type, double x, double y);
    bool hasActiveMover() const { return m_active != noMover; }
    int activeMover() const { return m_active; }
    void move(double x, double y);
    void setNoMover() { m_active = noMover; }

    representation activeMoverRep() const;

private:
    sceneViewport *m_viewport;
    QColor m_color;
    int m_active = noMover;
    trackBallMover m_trackBall;
    zoomMover m_zoom;
};

#endif
