#include "bodyskeleton.h"

namespace {
vec3 fromAngle(double degrees)
{
    // A direction in the frontal plane, pointing down and outward (to -X).
    const double r = degrees * M_PI / 180.0;
    return {-std::sin(r), 0.0, -std::cos(r)};
}

// Finger layout in the hand frame: base, spread (degrees toward the thumb),
// the three phalanx lengths and the radii at base, two joints and tip.
struct fingerLayout
{
    vec3 base;
    double spread;
    double lengths[3];
    double radii[4];
};
} // namespace

bodySkeleton::bodySkeleton()
{
    shoulder = {-17.0, 1.5, 141.0};
    elbow = shoulder + fromAngle(13.0) * 30.5;
    wrist = elbow + fromAngle(21.0) * 25.5;

    hand.origin = wrist;
    hand.u = normalized(wrist - elbow);
    hand.w = {0, -1, 0};
    hand.v = cross(hand.u, hand.w);

    // Thumb: from the base of the palm, down, outward and a little forward.
    const vec3 thumb[4] = {{1.8, 2.7, 1.0}, {5.3, 5.0, 2.3}, {8.0, 6.1, 3.1}, {10.1, 6.6, 3.5}};
    const double thumbRadii[4] = {1.55, 1.22, 1.05, 0.9};
    for (int j = 0; j < 4; ++j) {
        fingerJoint[0][j] = hand.toWorld(thumb[j]);
        fingerRadius[0][j] = thumbRadii[j];
    }
    const fingerLayout fingers[4] = {
        {{10.0, 3.0, 0.3}, 8.0, {4.3, 2.6, 2.1}, {1.0, 0.9, 0.82, 0.72}},
        {{10.4, 1.0, 0.35}, 1.5, {4.7, 3.0, 2.2}, {1.05, 0.95, 0.85, 0.75}},
        {{10.1, -1.0, 0.3}, -6.0, {4.4, 2.9, 2.1}, {1.0, 0.9, 0.82, 0.72}},
        {{9.4, -2.9, 0.2}, -14.0, {3.5, 2.1, 1.9}, {0.88, 0.78, 0.7, 0.62}},
    };
    const double flex[3] = {5.0, 14.0, 24.0};
    for (int f = 0; f < 4; ++f) {
        const fingerLayout &l = fingers[f];
        vec3 p = l.base;
        fingerJoint[f + 1][0] = hand.toWorld(p);
        fingerRadius[f + 1][0] = l.radii[0];
        const double s = l.spread * M_PI / 180.0;
        for (int j = 0; j < 3; ++j) {
            const double c = flex[j] * M_PI / 180.0;
            const vec3 dir(std::cos(s) * std::cos(c), std::sin(s) * std::cos(c), std::sin(c));
            p = p + dir * l.lengths[j];
            fingerJoint[f + 1][j + 1] = hand.toWorld(p);
            fingerRadius[f + 1][j + 1] = l.radii[j + 1];
        }
    }

    hip = {-9.0, 1.5, 89.5};
    knee = {-10.0, 0.0, 48.0};
    ankle = {-10.6, 2.8, 8.2};
    const double turn = 8.0 * M_PI / 180.0;
    foot.origin = ankle;
    foot.u = {-std::sin(turn), -std::cos(turn), 0};
    foot.w = {0, 0, 1};
    foot.v = cross(foot.u, foot.w);

    // Toes in the foot frame (the sole lies at w = -ankle height).
    const vec3 bases[5] = {{13.0, -2.8, -6.3}, {13.6, -0.6, -6.6}, {12.9, 1.2, -6.8},
                           {12.0, 2.8, -6.9}, {10.8, 4.2, -7.0}};
    const vec3 tips[5] = {{18.6, -3.0, -6.8}, {17.6, -0.5, -7.2}, {16.5, 1.4, -7.3},
                          {15.1, 3.1, -7.35}, {13.4, 4.6, -7.4}};
    const double radii[5] = {1.5, 1.0, 0.95, 0.9, 0.85};
    for (int t = 0; t < 5; ++t) {
        toeBase[t] = foot.toWorld(bases[t]);
        toeTip[t] = foot.toWorld(tips[t]);
        toeRadius[t] = radii[t];
    }
}

double bodySkeleton::spineLevel(int index) const
{
    // Centres of the spinous processes; the level named in the point
    // descriptions is the lower border, half a step below the centre.
    if (index <= 7)
        return c7 - thoracicStep / 2;
    if (index <= 19)
        return c7 - thoracicStep * (index - 7) - thoracicStep / 2;
    const double t12 = c7 - thoracicStep * 12;
    if (index <= 24)
        return t12 - lumbarStep * (index - 19) - lumbarStep / 2;
    const double l5 = t12 - lumbarStep * 5;
    return l5 - 4.0 - sacralStep * (index - 25);
}

double bodySkeleton::intercostal(int space) const
{
    const double cun = (notch - xiphoid) / 9.0;
    return notch - (1.0 + 1.6 * space) * cun;
}
