#include "limbprofile.h"

#include "implicitshapes.h"

#include <algorithm>
#include <limits>

limbProfile::limbProfile(const std::vector<vec3> &axis, const vec3 &front, const vec3 &outer,
                         const std::vector<station> &stations)
    : m_axis(axis), m_front(front), m_outer(outer)
{
    std::vector<double> at, f, b, o, i;
    for (const station &s : stations) {
        at.push_back(s.at);
        f.push_back(s.front);
        b.push_back(s.back);
        o.push_back(s.outer);
        i.push_back(s.inner);
    }
    m_first = at.front();
    m_last = at.back();
    m_frontSpline = cubicSpline(at, f);
    m_backSpline = cubicSpline(at, b);
    m_outerSpline = cubicSpline(at, o);
    m_innerSpline = cubicSpline(at, i);

    // The axis itself is a smooth curve through the joints (Catmull-Rom),
    // followed as a fine polyline; each of its points knows its station.
    const int steps = 12;
    for (size_t seg = 0; seg + 1 < m_axis.size(); ++seg) {
        const vec3 p1 = m_axis[seg], p2 = m_axis[seg + 1];
        const vec3 p0 = seg > 0 ? m_axis[seg - 1] : p1 * 2.0 - p2;
        const vec3 p3 = seg + 2 < m_axis.size() ? m_axis[seg + 2] : p2 * 2.0 - p1;
        for (int k = 0; k < steps; ++k) {
            const double t = double(k) / steps;
            const double t2 = t * t, t3 = t2 * t;
            const vec3 q = (p1 * 2.0 + (p2 - p0) * t + (p0 * 2.0 - p1 * 5.0 + p2 * 4.0 - p3) * t2
                            + (p1 * 3.0 - p0 - p2 * 3.0 + p3) * t3) * 0.5;
            m_curve.push_back(q);
            m_curveAt.push_back(double(seg) + t);
        }
    }
    m_curve.push_back(m_axis.back());
    m_curveAt.push_back(double(m_axis.size() - 1));
}

limbProfile::frameAt limbProfile::segmentFrame(size_t segment) const
{
    frameAt f;
    f.along = normalized(m_axis[segment + 1] - m_axis[segment]);
    f.front = normalized(m_front - f.along * dot(m_front, f.along));
    f.outer = normalized(m_outer - f.along * dot(m_outer, f.along) - f.front * dot(m_outer, f.front));
    return f;
}

vec3 limbProfile::axisPoint(double at) const
{
    const size_t segment = std::min(size_t(std::max(at, 0.0)), m_axis.size() - 2);
    return lerp(m_axis[segment], m_axis[segment + 1], at - double(segment));
}

vec3 limbProfile::direction(double at, double degrees) const
{
    const size_t segment = std::min(size_t(std::max(at, 0.0)), m_axis.size() - 2);
    const frameAt f = segmentFrame(segment);
    const double r = degrees * M_PI / 180.0;
    return normalized(f.front * std::cos(r) + f.outer * std::sin(r));
}

double limbProfile::distance(const vec3 &p) const
{
    // The nearest point of the curve gives the station and the frame. The
    // joints' polyline tells roughly where to look along the curve.
    double coarse = 0, coarseBest = std::numeric_limits<double>::max();
    for (size_t s = 0; s + 1 < m_axis.size(); ++s) {
        const vec3 a = m_axis[s], b = m_axis[s + 1];
        const double u = std::clamp(dot(p - a, b - a) / dot(b - a, b - a), 0.0, 1.0);
        const vec3 d = p - lerp(a, b, u);
        if (dot(d, d) < coarseBest) {
            coarseBest = dot(d, d);
            coarse = double(s) + u;
        }
    }
    const size_t perSegment = (m_curve.size() - 1) / (m_axis.size() - 1);
    const long centre = long(coarse * double(perSegment));
    const size_t first = size_t(std::max(0L, centre - long(perSegment) / 2 - 1));
    const size_t last = std::min(m_curve.size() - 1, size_t(centre + long(perSegment) / 2 + 2));
    double best = std::numeric_limits<double>::max();
    double at = 0, t = 0;
    size_t piece = first;
    for (size_t k = first; k < last; ++k) {
        const vec3 a = m_curve[k], b = m_curve[k + 1];
        const double u = std::clamp(dot(p - a, b - a) / dot(b - a, b - a), 0.0, 1.0);
        const vec3 d = p - lerp(a, b, u);
        const double d2 = dot(d, d);
        if (d2 < best) {
            best = d2;
            piece = k;
            t = u;
        }
    }
    at = m_curveAt[piece] + (m_curveAt[piece + 1] - m_curveAt[piece]) * t;
    const vec3 along = normalized(m_curve[piece + 1] - m_curve[piece]);
    const vec3 front = normalized(m_front - along * dot(m_front, along));
    const vec3 outer = normalized(m_outer - along * dot(m_outer, along) - front * dot(m_outer, front));
    const vec3 o = p - lerp(m_curve[piece], m_curve[piece + 1], t);
    const double fa = dot(o, front);
    const double fl = dot(o, outer);
    const double ra = fa >= 0 ? m_frontSpline(at) : m_backSpline(at);
    const double rl = fl >= 0 ? m_outerSpline(at) : m_innerSpline(at);
    // The scale only shapes the field away from the surface; it must not
    // jump where the radii switch between front and back, outer and inner.
    const double scale = std::min({m_frontSpline(at), m_backSpline(at), m_outerSpline(at), m_innerSpline(at)});
    const double rho = std::sqrt((fa / ra) * (fa / ra) + (fl / rl) * (fl / rl));
    const double side = (rho - 1.0) * scale;
    // Closed by flat, rounded ends at the first and last point.
    const vec3 startDir = normalized(m_curve[1] - m_curve[0]);
    const vec3 endDir = normalized(m_curve.back() - m_curve[m_curve.size() - 2]);
    const double start = dot(m_curve.front() - p, startDir);
    const double end = dot(p - m_curve.back(), endDir);
    return -implicit::blend(-side, -std::max(start, end), 2.0);
}

void limbProfile::bounds(vec3 *lower, vec3 *upper) const
{
    double r = 0;
    for (double at = m_first; at <= m_last; at += 0.05)
        r = std::max({r, m_frontSpline(at), m_backSpline(at), m_outerSpline(at), m_innerSpline(at)});
    *lower = *upper = m_axis.front();
    for (const vec3 &a : m_axis) {
        *lower = vec3(std::min(lower->x, a.x), std::min(lower->y, a.y), std::min(lower->z, a.z));
        *upper = vec3(std::max(upper->x, a.x), std::max(upper->y, a.y), std::max(upper->z, a.z));
    }
    *lower -= vec3(r, r, r);
    *upper += vec3(r, r, r);
}
