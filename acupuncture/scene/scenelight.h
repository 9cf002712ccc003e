#ifndef SCENELIGHT_H
#define SCENELIGHT_H

#include <QColor>
#include <QVector3D>

// A point light. Its position is given in the camera's frame (x right, y up,
// z toward the viewer, the eye at the origin), so it follows the camera.
class sceneLight
{
public:
    explicit sceneLight(const QColor &color = Qt::white) : m_color(color) {}

    QColor color() const { return m_color; }
    QVector3D position() const { return m_position; }
    void setPosition(const QVector3D &p) { m_position = p; }

private:
    QColor m_color;
    QVector3D m_position{0, 0, 1};
};

#endif
