#ifndef SCENEVIEWPORT_H
#define SCENEVIEWPORT_H

#include "scenebox.h"
#include "scenecamera.h"
#include "sceneray.h"

#include <QMatrix4x4>
#include <QPointF>

// The window onto the scene: its size in pixels, the camera, an orthographic
// (or perspective) projection and the depth range. Window coordinates have
// their origin at the top left, y downward.
class sceneViewport
{
public:
    sceneViewport();

    sceneCamera &camera() { return m_camera; }
    const sceneCamera &camera() const { return m_camera; }

    void setWinGLSize(int width, int height);
    int width() const { return m_width; }
    int height() const { return m_height; }

    void setToOrtho(bool ortho) { m_ortho = ortho; }
    bool isOrtho() const { return m_ortho; }

    // Orthographic: the height of the scene the window shows.
    float viewHeight() const { return m_viewHeight; }
    void setViewHeight(float h);
    // Perspective: the vertical field of view in degrees.
    float viewAngle() const { return m_viewAngle; }

    // Centres the view on the box and scales it so that the shorter side of
    // the window spans coverFactor times the radius of the sphere around the
    // box (2.2: the sphere and a tenth of its size). The box may be inverted;
    // its extent counts. The eye stands coverFactor diagonals away.
    void reframe(const sceneBox &box, float coverFactor);
    // Near and far planes that keep the box inside the depth range.
    void setDistMinAndMax(const sceneBox &box);
    float nearPlane() const { return m_near; }
    float farPlane() const { return m_far; }

    QMatrix4x4 projectionMatrix() const;
    QMatrix4x4 viewMatrix() const { return m_camera.viewMatrix(); }

    // The ray through a window point, from the eye side into the scene.
    sceneRay rayAt(double x, double y) const;
    // Window position of a point of the scene.
    QPointF project(const QVector3D &point) const;

private:
    float aspect() const;

    sceneCamera m_camera;
    int m_width = 1;
    int m_height = 1;
    bool m_ortho = false;
    float m_viewHeight = 2.0f;
    float m_viewAngle = 35.0f;
    float m_near = 0.1f;
    float m_far = 100.0f;
};

#endif
