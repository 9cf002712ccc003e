#include "acupointplacer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
[[noreturn]] void fail(const char *what, const vec3 &origin, const vec3 &direction)
{
    std::fprintf(stderr, "mkbody: %s ray from (%.2f %.2f %.2f) along (%.2f %.2f %.2f) finds no skin\n", what,
                 origin.x, origin.y, origin.z, direction.x, direction.y, direction.z);
    std::exit(1);
}

const vec3 headCentre(0, 1.2, 163.0);
const vec3 craniumCentre(0, 1.2, 165.3);
} // namespace

acupointPlacer::acupointPlacer(const bodyShape &body) : m_body(body), m_s(body.skeleton()) {}

double acupointPlacer::chestCun() const { return m_s.chestCun(); }
double acupointPlacer::chestCunDown() const { return (m_s.notch - m_s.xiphoid) / 9.0; }
double acupointPlacer::bellyCunDown() const { return (m_s.xiphoid - m_s.navel) / 8.0; }

// The anterior axillary fold lies at the height of 131.5 cm; the upper arm
// is 9 cun from there to the elbow crease, the forearm 12 cun to the wrist.
double acupointPlacer::upperArmCun() const { return (1.0 - armBelowFold(0)) / 9.0; }
double acupointPlacer::forearmCun() const { return 1.0 / 12.0; }
double acupointPlacer::thighCun() const { return (90.0 - 47.0) / 19.0; }
double acupointPlacer::shankCun() const { return (46.5 - 7.5) / 16.0; }
double acupointPlacer::innerShankCun() const { return (44.0 - 7.5) / 13.0; }

double acupointPlacer::intercostal(int space) const { return m_s.intercostal(space); }
double acupointPlacer::aboveNavel(double cun) const { return m_s.navel + cun * bellyCunDown(); }
double acupointPlacer::belowNavel(double cun) const { return m_s.navel - cun * (m_s.navel - m_s.pubis) / 5.0; }
double acupointPlacer::spine(int index) const { return m_s.spineLevel(index); }

double acupointPlacer::armBelowFold(double cun) const
{
    const vec3 top = m_body.armShape().axisPoint(0.0);
    const vec3 elbow = m_body.armShape().axisPoint(1.0);
    const double fold = (top.z - 131.5) / (top.z - elbow.z);
    return fold + cun * (1.0 - fold) / 9.0;
}

double acupointPlacer::armAboveElbow(double cun) const { return 1.0 - cun * upperArmCun(); }
double acupointPlacer::armAboveWrist(double cun) const { return 2.0 - cun * forearmCun(); }

vec3 acupointPlacer::entering(const vec3 &origin, const vec3 &direction) const
{
    const vec3 d = normalized(direction);
    if (m_body.distance(origin) <= 0)
        fail("outside", origin, d);
    double t0 = 0;
    for (double t = 0.05; t < 120.0; t += 0.05) {
        if (m_body.distance(origin + d * t) <= 0) {
            double a = t0, b = t;
            for (int i = 0; i < 50; ++i) {
                const double m = (a + b) / 2;
                (m_body.distance(origin + d * m) > 0 ? a : b) = m;
            }
            return origin + d * ((a + b) / 2);
        }
        t0 = t;
    }
    fail("outside", origin, d);
}

vec3 acupointPlacer::leaving(const vec3 &origin, const vec3 &direction) const
{
    const vec3 d = normalized(direction);
    if (m_body.distance(origin) >= 0)
        fail("inside", origin, d);
    double t0 = 0;
    for (double t = 0.02; t < 60.0; t += 0.02) {
        if (m_body.distance(origin + d * t) >= 0) {
            double a = t0, b = t;
            for (int i = 0; i < 50; ++i) {
                const double m = (a + b) / 2;
                (m_body.distance(origin + d * m) < 0 ? a : b) = m;
            }
            return origin + d * ((a + b) / 2);
        }
        t0 = t;
    }
    fail("inside", origin, d);
}

vec3 acupointPlacer::front(double x, double z) const { return entering(vec3(x, -40, z), vec3(0, 1, 0)); }
vec3 acupointPlacer::back(double x, double z) const { return entering(vec3(x, 40, z), vec3(0, -1, 0)); }
vec3 acupointPlacer::above(double x, double y) const { return entering(vec3(x, y, 190), vec3(0, 0, -1)); }
vec3 acupointPlacer::fromBelow(double x, double y, double z) const { return entering(vec3(x, y, z), vec3(0, 0, 1)); }

vec3 acupointPlacer::around(double z, double azimuth) const
{
    const trunkProfile::row r = m_body.trunkShape().at(z);
    const double a = azimuth * M_PI / 180.0;
    return leaving(vec3(0, (r.front + r.back) / 2, z), vec3(-std::sin(a), -std::cos(a), 0));
}

vec3 acupointPlacer::neck(double z, double azimuth) const
{
    const double a = azimuth * M_PI / 180.0;
    return leaving(vec3(0, 2.2, z), vec3(-std::sin(a), -std::cos(a), 0));
}

vec3 acupointPlacer::headDirection(double azimuth, double elevation) const
{
    const double a = azimuth * M_PI / 180.0, e = elevation * M_PI / 180.0;
    return vec3(-std::sin(a) * std::cos(e), -std::cos(a) * std::cos(e), std::sin(e));
}

vec3 acupointPlacer::head(double azimuth, double elevation) const
{
    return leaving(headCentre, headDirection(azimuth, elevation));
}

vec3 acupointPlacer::scalp(double behindHairline, double aside) const
{
    // Along the midline the anterior hairline lies 16.8 degrees above the
    // horizontal seen from the centre of the skull, the vertex (5 cun behind
    // it) straight above; to the side one cun turns the direction by 9.7
    // degrees.
    const double theta = (16.8 + behindHairline * (90.0 - 16.8) / 5.0) * M_PI / 180.0;
    const vec3 d(0, -std::cos(theta), std::sin(theta));
    const vec3 tangent(0, std::sin(theta), std::cos(theta));
    return leaving(craniumCentre, rotated(d, tangent, -aside * 9.7));
}

vec3 acupointPlacer::headBetween(const vec3 &a, const vec3 &b, double fraction) const
{
    const vec3 da = normalized(a - headCentre), db = normalized(b - headCentre);
    const vec3 axis = normalized(cross(da, db));
    const double angle = std::acos(std::clamp(dot(da, db), -1.0, 1.0)) * 180.0 / M_PI;
    return leaving(headCentre, rotated(da, axis, angle * fraction));
}

vec3 acupointPlacer::arm(double station, double angle) const
{
    const limbProfile &a = m_body.armShape();
    return leaving(a.axisPoint(station), a.direction(station, angle));
}

vec3 acupointPlacer::leg(double height, double angle) const
{
    const limbProfile &l = m_body.legShape();
    // The station whose axis point lies at that height.
    double lo = 0.0, hi = 3.0;
    for (int i = 0; i < 60; ++i) {
        const double m = (lo + hi) / 2;
        (l.axisPoint(m).z > height ? lo : hi) = m;
    }
    const double station = (lo + hi) / 2;
    return leaving(l.axisPoint(station), l.direction(station, angle));
}

vec3 acupointPlacer::palm(double u, double v) const
{
    return entering(m_s.hand.toWorld(vec3(u, v, 8)), -m_s.hand.w);
}

vec3 acupointPlacer::backOfHand(double u, double v) const
{
    return entering(m_s.hand.toWorld(vec3(u, v, -8)), m_s.hand.w);
}

vec3 acupointPlacer::thumbSide(double u, double w) const
{
    return entering(m_s.hand.toWorld(vec3(u, 12, w)), -m_s.hand.v);
}

vec3 acupointPlacer::littleFingerSide(double u, double w) const
{
    return entering(m_s.hand.toWorld(vec3(u, -12, w)), m_s.hand.v);
}

vec3 acupointPlacer::finger(int f, double along, double angle) const
{
    const int joint = std::min(2, int(along));
    const vec3 a = m_s.fingerJoint[f][joint], b = m_s.fingerJoint[f][joint + 1];
    const vec3 axis = normalized(b - a);
    const vec3 palmSide = normalized(m_s.hand.w - axis * dot(m_s.hand.w, axis));
    const vec3 thumbward = cross(axis, palmSide) * (dot(cross(axis, palmSide), m_s.hand.v) > 0 ? 1.0 : -1.0);
    const double r = angle * M_PI / 180.0;
    return leaving(lerp(a, b, along - joint), palmSide * std::cos(r) + thumbward * std::sin(r));
}

vec3 acupointPlacer::fingertip(int f) const
{
    const vec3 a = m_s.fingerJoint[f][2], b = m_s.fingerJoint[f][3];
    return leaving(b, b - a);
}

vec3 acupointPlacer::footTop(double u, double v) const
{
    return entering(m_s.foot.toWorld(vec3(u, v, 6)), -m_s.foot.w);
}

vec3 acupointPlacer::sole(double u, double v) const
{
    return entering(m_s.foot.toWorld(vec3(u, v, -14)), m_s.foot.w);
}

vec3 acupointPlacer::footOuter(double u, double w) const
{
    return entering(m_s.foot.toWorld(vec3(u, 12, w)), -m_s.foot.v);
}

vec3 acupointPlacer::footInner(double u, double w) const
{
    return entering(m_s.foot.toWorld(vec3(u, -11, w)), m_s.foot.v);
}

vec3 acupointPlacer::ankleFront() const
{
    return entering(m_s.foot.toWorld(vec3(14, 0, 0.5)), -m_s.foot.u);
}

vec3 acupointPlacer::toe(int t, double along, double angle) const
{
    const vec3 a = m_s.toeBase[t], b = m_s.toeTip[t];
    const vec3 axis = normalized(b - a);
    const vec3 up = normalized(m_s.foot.w - axis * dot(m_s.foot.w, axis));
    const vec3 outward = normalized(m_s.foot.v - axis * dot(m_s.foot.v, axis) - up * dot(m_s.foot.v, up));
    const double r = angle * M_PI / 180.0;
    return leaving(lerp(a, b, along), up * std::cos(r) + outward * std::sin(r));
}
