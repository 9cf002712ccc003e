#ifndef ZOOMMOVER_H
#define ZOOMMOVER_H

class sceneViewport;

// Zooms with a vertical drag: upward brings the scene closer, downward takes
// it away, by a factor of e for every 200 pixels. In an orthographic view the
// point where the drag started stays where it is, so that one zooms into the
// part of the body one pressed on.
class zoomMover
{
public:
    void begin(double x, double y);
    void move(sceneViewport &viewport, double y);

private:
    double m_anchorX = 0;
    double m_anchorY = 0;
    double m_last = 0;
};

#endif
