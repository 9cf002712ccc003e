#include "scenebox.h"

#include <algorithm>
#include <cmath>

sceneBox::sceneBox(const QVector3D &lower, const QVector3D &upper) : m_lower(lower), m_upper(upper), m_empty(false) {}

QVector3D sceneBox::size() const
{
    const QVector3D d = m_upper - m_lower;
    return {std::fabs(d.x()), std::fabs(d.y()), std::fabs(d.z())};
}

void sceneBox::combine(const QVector3D &p)
{
    if (m_empty) {
        m_lower = m_upper = p;
        m_empty = false;
        return;
    }
    m_lower = QVector3D(std::min(m_lower.x(), p.x()), std::min(m_lower.y(), p.y()), std::min(m_lower.z(), p.z()));
    m_upper = QVector3D(std::max(m_upper.x(), p.x()), std::max(m_upper.y(), p.y()), std::max(m_upper.z(), p.z()));
}

void sceneBox::combine(const sceneBox &other)
{
    if (other.m_empty)
        return;
    combine(other.m_lower);
    combine(other.m_upper);
}

sceneBox sceneBox::inset(const QVector3D &d) const
{
    return sceneBox(m_lower + d, m_upper - d);
}

sceneBox sceneBox::translated(const QVector3D &offset) const
{
    if (m_empty)
        return *this;
    return sceneBox(m_lower + offset, m_upper + offset);
}

bool sceneBox::contains(const QVector3D &p) const
{
    if (m_empty)
        return false;
    for (int i = 0; i < 3; ++i) {
        const float lo = std::min(m_lower[i], m_upper[i]), hi = std::max(m_lower[i], m_upper[i]);
        if (p[i] < lo || p[i] > hi)
            return false;
    }
    return true;
}
