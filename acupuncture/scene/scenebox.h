#ifndef SCENEBOX_H
#define SCENEBOX_H

#include <QVector3D>

// An axis-aligned box. A box made from two corners keeps them as given (the
// lower corner may lie above the upper one); an empty box has both corners
// at the origin.
class sceneBox
{
public:
    sceneBox() = default;
    sceneBox(const QVector3D &lower, const QVector3D &upper);

    bool isEmpty() const { return m_empty; }
    QVector3D lower() const { return m_lower; }
    QVector3D upper() const { return m_upper; }
    QVector3D center() const { return (m_lower + m_upper) / 2.0f; }
    // Edge lengths, always positive.
    QVector3D size() const;
    // Half the diagonal: the radius of the sphere around the box.
    float radius() const { return size().length() / 2.0f; }

    void combine(const QVector3D &point);
    void combine(const sceneBox &other);
    // The box from lower + d to upper - d.
    sceneBox inset(const QVector3D &d) const;
    sceneBox translated(const QVector3D &offset) const;
    bool contains(const QVector3D &point) const;

private:
    QVector3D m_lower;
    QVector3D m_upper;
    bool m_empty = true;
};

#endif
