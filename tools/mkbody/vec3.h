#ifndef VEC3_H
#define VEC3_H

#include <cmath>

// A point or direction in double precision; the body is built in
// centimetres (person's right = -X, front = -Y, Z up from the floor).
struct vec3
{
    double x = 0, y = 0, z = 0;

    vec3() = default;
    vec3(double ax, double ay, double az) : x(ax), y(ay), z(az) {}

    vec3 operator+(const vec3 &o) const { return {x + o.x, y + o.y, z + o.z}; }
    vec3 operator-(const vec3 &o) const { return {x - o.x, y - o.y, z - o.z}; }
    vec3 operator-() const { return {-x, -y, -z}; }
    vec3 operator*(double s) const { return {x * s, y * s, z * s}; }
    vec3 operator/(double s) const { return {x / s, y / s, z / s}; }
    vec3 &operator+=(const vec3 &o) { x += o.x; y += o.y; z += o.z; return *this; }
    vec3 &operator-=(const vec3 &o) { x -= o.x; y -= o.y; z -= o.z; return *this; }
    vec3 &operator*=(double s) { x *= s; y *= s; z *= s; return *this; }
};

inline vec3 operator*(double s, const vec3 &v) { return v * s; }
inline double dot(const vec3 &a, const vec3 &b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline vec3 cross(const vec3 &a, const vec3 &b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(const vec3 &v) { return std::sqrt(dot(v, v)); }
inline vec3 normalized(const vec3 &v)
{
    const double l = length(v);
    return l > 0 ? v / l : v;
}
inline vec3 lerp(const vec3 &a, const vec3 &b, double t) { return a + (b - a) * t; }

// Rotates v about the unit axis by the angle in degrees (right-hand rule).
inline vec3 rotated(const vec3 &v, const vec3 &axis, double degrees)
{
    const double r = degrees * M_PI / 180.0;
    const double c = std::cos(r), s = std::sin(r);
    return v * c + cross(axis, v) * s + axis * (dot(axis, v) * (1 - c));
}

// An orthonormal frame: a position and three axes.
struct frame3
{
    vec3 origin;
    vec3 u{1, 0, 0}, v{0, 1, 0}, w{0, 0, 1};

    vec3 toLocal(const vec3 &p) const
    {
        const vec3 d = p - origin;
        return {dot(d, u), dot(d, v), dot(d, w)};
    }
    vec3 toWorld(const vec3 &l) const { return origin + u * l.x + v * l.y + w * l.z; }
    vec3 direction(const vec3 &l) const { return u * l.x + v * l.y + w * l.z; }
};

// A frame whose first axis is the given direction and whose second axis lies
// as close as possible to the hint.
inline frame3 frameAlong(const vec3 &origin, const vec3 &axis, const vec3 &hint)
{
    frame3 f;
    f.origin = origin;
    f.u = normalized(axis);
    f.v = normalized(hint - f.u * dot(hint, f.u));
    f.w = cross(f.u, f.v);
    return f;
}

#endif
