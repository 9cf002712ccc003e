#include "bodyshape.h"

#include "implicitshapes.h"

using namespace implicit;

namespace {
// A frame for an ellipsoid stretched along the segment from a to b.
frame3 along(const vec3 &centre, const vec3 &a, const vec3 &b, const vec3 &hint)
{
    return frameAlong(centre, b - a, hint);
}

vec3 mirrored(const vec3 &p)
{
    return {-p.x, p.y, p.z};
}

// Blends a feature of the right half and its mirror image into d.
template <typename F>
double paired(double d, const vec3 &p, double k, F feature)
{
    d = blend(d, feature(p), k);
    return blend(d, feature(mirrored(p)), k);
}

// Whether a feature inside the sphere (centre, radius) can change a blend of
// width k into the distance d.
bool reaches(const vec3 &p, const vec3 &centre, double radius, double d, double k)
{
    return length(p - centre) - radius < d + k;
}

// Distance from p to an axis-aligned box (0 inside): a lower bound of the
// distance to any solid inside the box.
double boxDistance(const vec3 &p, const vec3 &lo, const vec3 &hi)
{
    const double dx = std::max({lo.x - p.x, 0.0, p.x - hi.x});
    const double dy = std::max({lo.y - p.y, 0.0, p.y - hi.y});
    const double dz = std::max({lo.z - p.z, 0.0, p.z - hi.z});
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}
} // namespace

bodyShape::bodyShape()
    : m_trunk({
          // height, half width, front, back
          {83.0, 13.0, -6.5, 9.0},
          {88.0, 15.0, -7.8, 10.8},
          {93.0, 15.6, -8.5, 11.0},
          {98.0, 15.3, -9.2, 10.6},
          {103.0, 14.6, -9.7, 9.8},
          {108.0, 14.0, -9.7, 9.3},
          {114.0, 14.3, -9.4, 9.9},
          {120.0, 15.2, -9.5, 10.9},
          {126.0, 15.7, -9.9, 11.6},
          {132.0, 15.9, -9.8, 11.7},
          {137.0, 16.2, -8.8, 11.2},
          {141.0, 16.2, -7.4, 10.0},
          {144.0, 13.5, -5.8, 8.6},
          {146.5, 9.0, -4.6, 7.2},
          {148.5, 6.0, -3.8, 6.5},
      }),
      m_arm({m_skeleton.shoulder + normalized(m_skeleton.shoulder - m_skeleton.elbow) * 2.0, m_skeleton.elbow,
             m_skeleton.wrist},
            vec3(0, -1, 0), vec3(-1, 0, 0),
            {
                // station, front, back, outer, inner
                {0.0, 4.6, 4.6, 4.6, 4.2},
                {0.25, 5.0, 5.0, 5.6, 4.4},
                {0.45, 4.6, 4.5, 4.6, 4.2},
                {0.65, 4.7, 4.5, 4.1, 4.1},
                {0.85, 4.3, 4.2, 3.8, 3.9},
                {1.0, 3.8, 4.1, 4.2, 4.3},
                {1.12, 3.9, 3.4, 4.6, 4.1},
                {1.4, 3.3, 2.9, 3.7, 3.3},
                {1.7, 2.4, 2.2, 3.0, 2.7},
                {1.95, 1.9, 1.9, 2.9, 2.8},
                {2.0, 1.9, 1.9, 2.9, 2.8},
            }),
      m_leg({vec3(-8.3, 1.5, 110.0), m_skeleton.hip, m_skeleton.knee, m_skeleton.ankle}, vec3(0, -1, 0),
            vec3(-1, 0, 0),
            {
                {0.0, 3.5, 3.5, 3.5, 3.5},
                {0.49, 5.5, 5.5, 6.0, 4.5},
                {0.88, 7.5, 8.5, 8.5, 7.0},
                {1.13, 8.3, 8.8, 8.3, 8.0},
                {1.35, 8.0, 7.8, 7.5, 7.5},
                {1.59, 7.0, 6.8, 6.6, 6.6},
                {1.81, 6.0, 5.5, 5.5, 5.9},
                {1.94, 5.3, 5.0, 5.0, 5.4},
                {2.05, 4.8, 4.8, 4.9, 5.0},
                {2.15, 4.4, 5.3, 4.7, 4.9},
                {2.33, 4.0, 6.3, 4.9, 5.2},
                {2.53, 3.6, 5.0, 4.2, 4.4},
                {2.75, 3.0, 3.6, 3.3, 3.4},
                {2.93, 2.7, 3.2, 2.9, 3.0},
                {3.0, 2.9, 3.3, 3.1, 3.1},
            })
{
    m_deltoid = along(m_skeleton.shoulder + vec3(-1.2, 0, -2.5), m_skeleton.shoulder, m_skeleton.elbow, vec3(0, 1, 0));
    m_arm.bounds(&m_armLower, &m_armUpper);
    m_leg.bounds(&m_legLower, &m_legUpper);
    // The kneecap lies in front of the leg.
    m_legLower.y -= 2.0;
}

double bodyShape::trunk(const vec3 &p) const
{
    const bodySkeleton &s = m_skeleton;
    double d = m_trunk.distance(p);
    // A shallow furrow along the spine.
    if (p.z > 98 && p.z < 146 && p.y > 0) {
        const double fade = std::min({1.0, (p.z - 98) / 8.0, (146 - p.z) / 6.0});
        d += 0.45 * fade * std::exp(-(p.x * p.x) / 3.0);
    }
    if (reaches(p, vec3(-7.0, -6.2, 131.0), 15.0, d, 3.0))
        d = paired(d, p, 3.0, [](const vec3 &q) { return ellipsoid(q, vec3(-7.0, -6.2, 131.0), vec3(8.0, 3.4, 5.0)); }); // chest muscle
    if (reaches(p, vec3(-6.8, 6.0, 88.5), 15.3, d, 4.0))
        d = paired(d, p, 4.0, [](const vec3 &q) { return ellipsoid(q, vec3(-6.8, 6.0, 88.5), vec3(7.5, 6.5, 8.5)); });  // buttock
    if (reaches(p, vec3(0, 12.0, 87.0), 8.0, -d, 2.0))
        d = carve(d, limb(p, vec3(0, 10.0, 93.0), vec3(0, 14.5, 80.0), vec3(1, 0, 0), 0.5, 0.5, 0.5, 0.5), 2.0);    // cleft
    if (reaches(p, m_deltoid.origin, 8.5 + std::fabs(m_deltoid.origin.x), d, 5.0))
        d = paired(d, p, 5.0, [this](const vec3 &q) { return ellipsoid(q, m_deltoid, vec3(8.5, 5.6, 5.6)); });       // deltoid
    if (reaches(p, vec3(0, -10.4, s.navel), 0.9, -d, 1.0))
        d = carve(d, sphere(p, vec3(0, -10.4, s.navel), 0.9), 1.0);
    // Neck.
    if (p.z > 134.0) {
        d = blend(d, roundCone(p, vec3(0, 2.5, 141.0), vec3(0, 1.8, 155.0), 6.0, 5.2), 4.0);
        if (p.z > 142.0)
            d = paired(d, p, 2.5, [](const vec3 &q) {
                return limb(q, vec3(-4.5, 2.5, 156.0), vec3(-1.3, -2.5, 145.5), vec3(1, 0, 0), 1.2, 1.2, 1.2, 1.2); // neck muscle
            });
    }
    return d;
}

double bodyShape::head(const vec3 &p) const
{
    double d = ellipsoid(p, vec3(0, 1.2, 165.3), vec3(7.5, 9.3, 9.7));                 // cranium
    d = blend(d, roundCone(p, vec3(0, -1.8, 161.5), vec3(0, -5.2, 153.7), 6.5, 3.4), 3.0); // face, narrowing to the chin
    d = paired(d, p, 3.5, [](const vec3 &q) { return sphere(q, vec3(-4.8, 0.5, 155.2), 1.5); });                    // angle of the jaw
    d = blend(d, ellipsoid(p, vec3(0, -7.5, 153.3), vec3(2.0, 1.2, 1.4)), 2.0);        // chin
    d = blend(d, ellipsoid(p, vec3(0, -6.0, 166.0), vec3(6.3, 3.0, 1.8)), 3.0);        // brow
    d = paired(d, p, 2.5, [](const vec3 &q) { return ellipsoid(q, vec3(-4.6, -4.5, 161.2), vec3(2.2, 2.4, 1.4)); }); // cheekbone
    for (const vec3 &q : {p, mirrored(p)})
        d = carve(d, ellipsoid(q, vec3(-3.3, -8.6, 163.7), vec3(1.9, 1.4, 1.2)), 1.5); // eye socket
    d = paired(d, p, 0.4, [](const vec3 &q) { return sphere(q, vec3(-3.3, -6.3, 163.7), 1.2); });                   // eye
    d = blend(d, roundCone(p, vec3(0, -8.5, 164.2), vec3(0, -10.6, 160.0), 0.65, 0.95), 1.5);                       // nose
    d = blend(d, sphere(p, vec3(0, -10.3, 159.6), 1.05), 0.8);
    d = paired(d, p, 0.8, [](const vec3 &q) { return sphere(q, vec3(-1.15, -9.2, 159.2), 0.8); });                  // nostril wing
    d = blend(d, ellipsoid(p, vec3(0, -8.0, 157.0), vec3(1.7, 1.0, 0.7)), 1.2);        // upper lip
    d = blend(d, ellipsoid(p, vec3(0, -7.8, 155.7), vec3(1.5, 1.0, 0.6)), 1.2);        // lower lip
    d = carve(d, ellipsoid(p, vec3(0, -9.2, 156.35), vec3(1.9, 1.0, 0.25)), 0.6);      // mouth
    d = paired(d, p, 1.2, [](const vec3 &q) {
        frame3 ear;
        ear.origin = vec3(-7.8, 1.6, 161.8);
        ear.u = vec3(1, 0, 0);
        ear.v = rotated(vec3(0, 1, 0), vec3(1, 0, 0), -15.0);
        ear.w = cross(ear.u, ear.v);
        const double outer = ellipsoid(q, ear, vec3(0.75, 2.0, 3.2));                   // ear
        frame3 bowl = ear;
        bowl.origin = ear.origin + vec3(-0.7, 0.2, -0.3);
        return carve(outer, ellipsoid(q, bowl, vec3(0.4, 1.0, 1.6)), 0.5);
    });
    return d;
}

double bodyShape::arm(const vec3 &p) const
{
    return m_arm.distance(p);
}

double bodyShape::hand(const vec3 &p) const
{
    const bodySkeleton &s = m_skeleton;
    const auto at = [&s](const vec3 &local) {
        frame3 f = s.hand;
        f.origin = s.hand.toWorld(local);
        return f;
    };
    double d = ellipsoid(p, at(vec3(5.2, 0.1, 0.1)), vec3(5.2, 4.3, 1.5));               // palm
    d = blend(d, limb(p, s.hand.toWorld(vec3(9.5, 3.1, 0.1)), s.hand.toWorld(vec3(9.0, -2.9, 0.1)), s.hand.w,
                      1.2, 1.3, 1.1, 1.2), 1.5);                                           // knuckles
    d = blend(d, ellipsoid(p, at(vec3(3.6, 2.6, 1.2)), vec3(3.2, 2.0, 1.4)), 1.5);      // ball of the thumb
    d = blend(d, ellipsoid(p, at(vec3(5.0, -3.0, 0.9)), vec3(3.6, 1.3, 1.0)), 1.5);     // outer edge of the palm
    double fingers = 1e9;
    for (int f = 1; f < 5; ++f) {
        double finger = 1e9;
        for (int j = 0; j < 3; ++j)
            finger = blend(finger, roundCone(p, s.fingerJoint[f][j], s.fingerJoint[f][j + 1],
                                             s.fingerRadius[f][j], s.fingerRadius[f][j + 1]), 0.4);
        fingers = blend(fingers, finger, 0.6);
    }
    d = blend(d, fingers, 1.0);
    double thumb = 1e9;
    for (int j = 0; j < 3; ++j)
        thumb = blend(thumb, roundCone(p, s.fingerJoint[0][j], s.fingerJoint[0][j + 1],
                                       s.fingerRadius[0][j], s.fingerRadius[0][j + 1]), 0.4);
    return blend(d, thumb, 1.4);
}

double bodyShape::leg(const vec3 &p) const
{
    const bodySkeleton &s = m_skeleton;
    const double d = m_leg.distance(p);
    return blend(d, ellipsoid(p, s.knee + vec3(0, -4.2, 1.5), vec3(1.8, 0.9, 2.0)), 2.5); // kneecap
}

double bodyShape::foot(const vec3 &p) const
{
    const bodySkeleton &s = m_skeleton;
    const frame3 &f = s.foot;
    const auto at = [&f](const vec3 &local) {
        frame3 g = f;
        g.origin = f.toWorld(local);
        return g;
    };
    double d = ellipsoid(p, at(vec3(-4.2, 0.2, -5.0)), vec3(3.0, 2.8, 3.2));                        // heel
    d = blend(d, limb(p, f.toWorld(vec3(-2.0, 0.2, -3.0)), f.toWorld(vec3(11.5, 0.5, -5.6)), f.v, 3.4, 3.8, 4.4, 2.0), 2.0);
    d = blend(d, ellipsoid(p, at(vec3(4.0, 0.0, -3.9)), vec3(6.5, 3.5, 2.9)), 2.5);                 // instep
    d = blend(d, limb(p, f.toWorld(vec3(0, 0, 3.0)), f.toWorld(vec3(-0.5, 0, -3.0)), f.v, 3.2, 2.8, 3.2, 3.0), 2.0);
    d = blend(d, sphere(p, f.toWorld(vec3(0.3, 3.0, -0.8)), 1.0), 1.0);    // outer ankle bone
    d = blend(d, sphere(p, f.toWorld(vec3(0.8, -3.0, 0.2)), 1.0), 1.0);    // inner ankle bone
    for (int t = 0; t < 5; ++t)
        d = blend(d, roundCone(p, s.toeBase[t], s.toeTip[t], s.toeRadius[t], s.toeRadius[t] * 0.85), t == 0 ? 1.2 : 0.9);
    return d;
}

double bodyShape::distance(const vec3 &point) const
{
    // Every part lies on the right; the left half is the mirror image. A part
    // is evaluated only where it can change the result: within its blend
    // width of the surface built so far (the distance to a box around the
    // part is a lower bound of the distance to the part).
    const bodySkeleton &s = m_skeleton;
    const vec3 p(-std::fabs(point.x), point.y, point.z);
    double core = trunk(p);
    if (boxDistance(p, vec3(-12, -15, 148), vec3(12, 15, 178)) < core + 2.0)
        core = blend(core, head(p), 2.0);

    double withArm = core;
    if (boxDistance(p, m_armLower, m_armUpper) < core + 4.0)
        withArm = blend(core, arm(p), 4.0);
    if (length(p - s.hand.toWorld(vec3(7.5, 1.0, 1.0))) - 14.0 < withArm + 2.0)
        withArm = blend(withArm, hand(p), 2.0);

    double withLeg = core;
    if (boxDistance(p, m_legLower, m_legUpper) < core + 6.0)
        withLeg = blend(core, leg(p), 6.0);
    if (length(p - s.foot.toWorld(vec3(5.0, 0, -4.0))) - 18.0 < withLeg + 2.5)
        withLeg = blend(withLeg, foot(p), 2.5);

    const double body = std::min(withArm, withLeg);
    return carve(body, p.z, 0.6);   // flat soles
}

vec3 bodyShape::gradient(const vec3 &p) const
{
    const double e = 0.02;
    return vec3(distance(p + vec3(e, 0, 0)) - distance(p - vec3(e, 0, 0)),
                distance(p + vec3(0, e, 0)) - distance(p - vec3(0, e, 0)),
                distance(p + vec3(0, 0, e)) - distance(p - vec3(0, 0, e)))
        / (2 * e);
}
