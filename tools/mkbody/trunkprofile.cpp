#include "trunkprofile.h"

#include "implicitshapes.h"

#include <algorithm>

trunkProfile::trunkProfile(const std::vector<row> &rows)
{
    std::vector<double> z, w, f, b;
    for (const row &r : rows) {
        z.push_back(r.z);
        w.push_back(r.halfWidth);
        f.push_back(r.front);
        b.push_back(r.back);
    }
    m_bottom = z.front();
    m_top = z.back();
    m_width = cubicSpline(z, w);
    m_front = cubicSpline(z, f);
    m_back = cubicSpline(z, b);
}

trunkProfile::row trunkProfile::at(double z) const
{
    return {z, m_width(z), m_front(z), m_back(z)};
}

double trunkProfile::distance(const vec3 &p) const
{
    const row r = at(p.z);
    const double centre = (r.front + r.back) / 2.0;
    const double dy = p.y - centre;
    const double ry = dy < 0 ? centre - r.front : r.back - centre;
    // A cross-section between an ellipse and a rounded rectangle.
    const double n = 2.6;
    const double rho = std::pow(std::pow(std::fabs(p.x) / r.halfWidth, n) + std::pow(std::fabs(dy) / ry, n), 1.0 / n);
    const double side = (rho - 1.0) * std::min({r.halfWidth, centre - r.front, r.back - centre});
    // Closed below the crotch and above the base of the neck.
    const double ends = std::max(m_bottom - p.z, p.z - m_top);
    return -implicit::blend(-side, -ends, 3.0);
}
