#ifndef ACUPOINTPLACER_H
#define ACUPOINTPLACER_H

#include "bodyshape.h"

// Finds points on the body's surface from anatomical descriptions. Every
// helper casts a ray at the figure and returns where it meets the skin:
// rays from outside (front, back, from above, at the hand or the foot) stop
// where they enter the body, rays from inside (from a limb's axis, from the
// head's centre, from the axis of the neck or the trunk) stop where they
// leave it. Distances are in centimetres, bilateral points lie on the
// person's right side (negative X).
class acupointPlacer
{
public:
    explicit acupointPlacer(const bodyShape &body);

    // Proportional measures (cun) of the body regions.
    double chestCun() const;        // horizontal, chest, abdomen and back
    double chestCunDown() const;    // notch to xiphoid
    double bellyCunDown() const;    // xiphoid to navel, navel to pubis
    double upperArmCun() const;     // as a station step along the arm
    double forearmCun() const;      // as a station step along the arm
    double thighCun() const;        // centimetres, thigh
    double shankCun() const;        // centimetres, lateral and front of the shank
    double innerShankCun() const;   // centimetres, medial shank

    // x of a point the given number of cun lateral to the midline.
    double lateral(double cun) const { return -cun * chestCun(); }
    // Levels on the front of the trunk.
    double intercostal(int space) const;
    double aboveNavel(double cun) const;
    double belowNavel(double cun) const;
    // Levels on the back: lower border of a spinous process (7 = C7,
    // 8..19 = T1..T12, 20..24 = L1..L5) and the sacral foramina (25..28).
    double spine(int index) const;
    // Arm stations: the anterior axillary fold, the elbow and the wrist.
    double armBelowFold(double cun) const;
    double armAboveElbow(double cun) const;
    double armAboveWrist(double cun) const;

    // Rays from in front (toward +Y), from behind, from above.
    vec3 front(double x, double z) const;
    vec3 back(double x, double z) const;
    vec3 above(double x, double y) const;
    vec3 fromBelow(double x, double y, double z) const;
    // From the axis of the trunk or the neck, horizontally: azimuth 0 is
    // straight forward, 90 the person's right side, 180 straight back.
    vec3 around(double z, double azimuth) const;
    vec3 neck(double z, double azimuth) const;
    // From the centre of the head: azimuth as above, elevation upward.
    vec3 head(double azimuth, double elevation) const;
    // On the scalp: cun behind the anterior hairline along the midline of the
    // head, and cun to the side.
    vec3 scalp(double behindHairline, double aside) const;
    // From the axis of the arm at a station (0 above the shoulder joint, 1
    // the elbow, 2 the wrist) or of the leg at a height: angle 0 front, 90
    // outer side, 180 back, 270 inner side.
    vec3 arm(double station, double angle) const;
    vec3 leg(double height, double angle) const;
    // Hand frame (u toward the fingertips from the wrist, v toward the thumb,
    // w out of the palm): at the palm, the back of the hand, its thumb side
    // and its little-finger side.
    vec3 palm(double u, double v) const;
    vec3 backOfHand(double u, double v) const;
    vec3 thumbSide(double u, double w) const;
    vec3 littleFingerSide(double u, double w) const;
    // A finger (0 thumb .. 4 little finger) at a place along it (0 knuckle,
    // 3 tip): angle 0 palm side, 90 thumb side, 180 back, 270 little-finger
    // side; fingertip: the very end.
    vec3 finger(int finger, double along, double angle) const;
    vec3 fingertip(int finger) const;
    // Foot frame (u toward the toes from the ankle, v outward, w up; the sole
    // lies at w = -ankle height): on the top, the sole, the outer and the
    // inner side, and in front of the ankle.
    vec3 footTop(double u, double v) const;
    vec3 sole(double u, double v) const;
    vec3 footOuter(double u, double w) const;
    vec3 footInner(double u, double w) const;
    vec3 ankleFront() const;
    // A toe (0 big toe .. 4 little toe) at a fraction of its length: angle 0
    // top, 90 outer side, 180 sole side, 270 inner side.
    vec3 toe(int toe, double along, double angle) const;

    // Along the great circle from one surface point's direction to another's,
    // seen from the centre of the head.
    vec3 headBetween(const vec3 &a, const vec3 &b, double fraction) const;

private:
    vec3 entering(const vec3 &origin, const vec3 &direction) const;
    vec3 leaving(const vec3 &origin, const vec3 &direction) const;
    vec3 headDirection(double azimuth, double elevation) const;

    const bodyShape &m_body;
    const bodySkeleton &m_s;
};

#endif
