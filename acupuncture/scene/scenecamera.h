#ifndef SCENECAMERA_H
#define SCENECAMERA_H

#include <QMatrix4x4>
#include <QQuaternion>
#include <QVector3D>

// The camera: where the eye is, the point it looks at and which way is up.
class sceneCamera
{
public:
    sceneCamera();

    QVector3D eye() const { return m_eye; }
    QVector3D target() const { return m_target; }
    QVector3D up() const { return m_up; }
    QVector3D defaultUp() const { return m_defaultUp; }

    // Unit vectors of the view: forward (eye to target), right and up.
    QVector3D forward() const;
    QVector3D right() const;
    QVector3D upVector() const;
    float distance() const { return (m_target - m_eye).length(); }

    void setDefaultUpVector(const QVector3D &up);
    // Looks at the front of a model standing along the default up vector
    // (for up = Z: from -Y toward +Y, X to the right), keeping the distance.
    void setFrontView();
    void setDistance(float distance);
    void translate(const QVector3D &offset);
    // Turns the eye and the up vector about the target.
    void rotateAroundTarget(const QQuaternion &rotation);

    QMatrix4x4 viewMatrix() const;

private:
    QVector3D m_eye;
    QVector3D m_target;
    QVector3D m_up;
    QVector3D m_defaultUp;
};

#endif
