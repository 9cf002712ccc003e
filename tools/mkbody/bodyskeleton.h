#ifndef BODYSKELETON_H
#define BODYSKELETON_H

#include "vec3.h"

// Joints and reference heights of the figure, in centimetres, for the right
// half of the body (person's right = -X, front = -Y, soles at Z = 0). The
// figure stands in the anatomical position: arms a little away from the
// trunk, palms forward, thumbs outward, feet slightly turned out.
struct bodySkeleton
{
    bodySkeleton();

    // Heights along the front midline.
    double notch = 144.5;    // suprasternal notch
    double nipple = 126.5;   // fourth intercostal space
    double xiphoid = 122.5;  // xiphisternal junction
    double navel = 103.5;
    double pubis = 91.5;     // upper border of the pubic symphysis
    double nippleX = -10.0;  // the nipple line lies four cun from the midline

    // Back: spinous process of C7 and the step between the spinous processes.
    double c7 = 147.5;
    double thoracicStep = 2.3;   // T1..T12
    double lumbarStep = 3.4;     // L1..L5
    double sacralStep = 2.6;     // sacral foramina

    // Arm: the shoulder joint, elbow and wrist centres.
    vec3 shoulder;
    vec3 elbow;
    vec3 wrist;
    // Hand frame at the wrist: u toward the fingertips, v toward the thumb,
    // w out of the palm (forward).
    frame3 hand;
    // Finger bases (knuckles) and tips, thumb first.
    vec3 fingerJoint[5][4];   // base, first joint, second joint, tip
    double fingerRadius[5][4];

    // Leg: hip joint, knee and ankle centres.
    vec3 hip;
    vec3 knee;
    vec3 ankle;
    // Foot frame at the ankle: u toward the toes, v lateral, w up.
    frame3 foot;
    vec3 toeBase[5];
    vec3 toeTip[5];
    double toeRadius[5];

    // Level of the lower border of a spinous process: C7 is 7, T1..T12 are
    // 8..19, L1..L5 are 20..24; the sacral foramina follow from 25.
    double spineLevel(int index) const;
    // Height of an intercostal space on the front of the chest (1..5).
    double intercostal(int space) const;
    // Length of one cun on the front of the chest and abdomen (horizontal)
    // and vertically between notch, xiphoid, navel and pubis.
    double chestCun() const { return -nippleX / 4.0; }
};

#endif
