#ifndef LIMBPROFILE_H
#define LIMBPROFILE_H

#include "cubicspline.h"
#include "vec3.h"

#include <vector>

// A limb as a loft along a bent axis (a polyline through the joints). Each
// station of the table gives, at a place along the axis, how far the surface
// lies in front of, behind, outside and inside the axis; between the
// stations the values follow natural cubic splines. Stations are numbered
// along the polyline: 0 is its first point, 1 the second, 1.5 halfway to
// the third, and so on.
class limbProfile
{
public:
    struct station
    {
        double at;
        double front, back, outer, inner;
    };

    // front: the body's forward direction; outer: a direction pointing away
    // from the body's midline.
    limbProfile(const std::vector<vec3> &axis, const vec3 &front, const vec3 &outer,
                const std::vector<station> &stations);

    double distance(const vec3 &p) const;
    // A box around the whole limb.
    void bounds(vec3 *lower, vec3 *upper) const;

    // The point on the axis at a station, and the surface point reached from
    // it in the direction given by an angle around the axis (0 front, 90
    // outer, 180 back, 270 inner) as the table describes it.
    vec3 axisPoint(double at) const;
    vec3 direction(double at, double degrees) const;

private:
    struct frameAt
    {
        vec3 along, front, outer;
    };
    frameAt segmentFrame(size_t segment) const;


    std::vector<vec3> m_axis;
    std::vector<vec3> m_curve;
    std::vector<double> m_curveAt;
    vec3 m_front, m_outer;
    double m_first, m_last;
    cubicSpline m_frontSpline, m_backSpline, m_outerSpline, m_innerSpline;
};

#endif
