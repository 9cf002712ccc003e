#ifndef TRACKBALLMOVER_H
#define TRACKBALLMOVER_H

#include <QPointF>
#include <QVector3D>

class sceneViewport;

// Turns the scene with the mouse as if rolling a ball under the window: a
// sphere fills most of the window, a drag from one of its points to another
// turns it (and the scene) by the rotation between them. The camera turns
// the other way about its target.
class trackBallMover
{
public:
    void begin(const sceneViewport &viewport, double x, double y);
    void move(sceneViewport &viewport, double x, double y);

    // The ball's outline in window coordinates.
    static QPointF centre(const sceneViewport &viewport);
    static double radius(const sceneViewport &viewport);

private:
    static QVector3D ballPoint(const sceneViewport &viewport, double x, double y);

    QVector3D m_last;
};

#endif
