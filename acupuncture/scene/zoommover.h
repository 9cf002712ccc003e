#ifndef ZOOMMOVER_H
#define ZOOMMOVER_H

class sceneViewport;

// Zooms with a vertical drag: upward brings the scene closer, downward takes
// it away, by a factor of e for every 200 pixels.
class zoomMover
{
public:
    void begin(double y);
    void move(sceneViewport &viewport, double y);

private:
    double m_last = 0;
};

#endif
