#ifndef IMPLICITSHAPES_H
#define IMPLICITSHAPES_H

#include "vec3.h"

#include <algorithm>

// Signed distances (negative inside) of the simple solids the body is
// blended from. Most are close approximations of the true distance, which
// is all the blending and the meshing need.
namespace implicit {

inline double sphere(const vec3 &p, const vec3 &c, double r)
{
    return length(p - c) - r;
}

// Ellipsoid with radii along the axes of a frame (placed at its origin).
inline double ellipsoid(const vec3 &p, const frame3 &f, const vec3 &r)
{
    const vec3 l = f.toLocal(p);
    const vec3 q(l.x / r.x, l.y / r.y, l.z / r.z);
    const vec3 q2(l.x / (r.x * r.x), l.y / (r.y * r.y), l.z / (r.z * r.z));
    const double k0 = length(q);
    const double k1 = length(q2);
    if (k1 <= 0)
        return -std::min(r.x, std::min(r.y, r.z));
    return k0 * (k0 - 1.0) / k1;
}

inline double ellipsoid(const vec3 &p, const vec3 &c, const vec3 &r)
{
    frame3 f;
    f.origin = c;
    return ellipsoid(p, f, r);
}

// A limb piece: from a to b, with elliptic cross-sections whose radii change
// linearly (rv along the hint direction, rw across it), and rounded ends.
inline double limb(const vec3 &p, const vec3 &a, const vec3 &b, const vec3 &hint,
                   double rva, double rwa, double rvb, double rwb)
{
    const frame3 f = frameAlong(a, b - a, hint);
    const double len = length(b - a);
    const vec3 l = f.toLocal(p);
    const double t = std::clamp(l.x / len, 0.0, 1.0);
    const double rv = rva + (rvb - rva) * t;
    const double rw = rwa + (rwb - rwa) * t;
    const double ru = std::min(rv, rw);
    const vec3 o(l.x - t * len, l.y, l.z);
    const vec3 q(o.x / ru, o.y / rv, o.z / rw);
    const vec3 q2(o.x / (ru * ru), o.y / (rv * rv), o.z / (rw * rw));
    const double k0 = length(q);
    const double k1 = length(q2);
    if (k1 <= 0)
        return -ru;
    return k0 * (k0 - 1.0) / k1;
}

// A cone with spherical ends of radii ra at a and rb at b (exact).
inline double roundCone(const vec3 &p, const vec3 &a, const vec3 &b, double ra, double rb)
{
    const vec3 ba = b - a;
    const double l2 = dot(ba, ba);
    const double rr = ra - rb;
    const double a2 = l2 - rr * rr;
    const double il2 = 1.0 / l2;
    const vec3 pa = p - a;
    const double y = dot(pa, ba);
    const double z = y - l2;
    const vec3 xv = pa * l2 - ba * y;
    const double x2 = dot(xv, xv);
    const double y2 = y * y * l2;
    const double z2 = z * z * l2;
    const double k = (rr > 0 ? 1.0 : (rr < 0 ? -1.0 : 0.0)) * rr * rr * x2;
    if ((z > 0 ? 1.0 : (z < 0 ? -1.0 : 0.0)) * a2 * z2 > k)
        return std::sqrt(x2 + z2) * il2 - rb;
    if ((y > 0 ? 1.0 : (y < 0 ? -1.0 : 0.0)) * a2 * y2 < k)
        return std::sqrt(x2 + y2) * il2 - ra;
    return (std::sqrt(x2 * a2 * il2) + y * rr) * il2 - ra;
}

// Smooth union and difference; k is the width of the blend.
inline double blend(double a, double b, double k)
{
    if (k <= 0)
        return std::min(a, b);
    const double h = std::max(k - std::fabs(a - b), 0.0) / k;
    return std::min(a, b) - h * h * k * 0.25;
}

inline double carve(double a, double b, double k)
{
    return -blend(-a, b, k);
}

} // namespace implicit

#endif
