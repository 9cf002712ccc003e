#ifndef BODYSHAPE_H
#define BODYSHAPE_H

#include "bodyskeleton.h"
#include "limbprofile.h"
#include "trunkprofile.h"

// The figure as an implicit surface: a signed distance (negative inside),
// blended from ellipsoids, limb pieces and rounded cones laid over the
// skeleton. The body is symmetric; the right half is modelled and the left
// half is its mirror image.
class bodyShape
{
public:
    bodyShape();

    double distance(const vec3 &p) const;
    vec3 gradient(const vec3 &p) const;
    const bodySkeleton &skeleton() const { return m_skeleton; }
    const trunkProfile &trunkShape() const { return m_trunk; }
    const limbProfile &armShape() const { return m_arm; }
    const limbProfile &legShape() const { return m_leg; }

private:
    double trunk(const vec3 &p) const;
    double head(const vec3 &p) const;
    double arm(const vec3 &p) const;
    double hand(const vec3 &p) const;
    double leg(const vec3 &p) const;
    double foot(const vec3 &p) const;

    bodySkeleton m_skeleton;
    trunkProfile m_trunk;
    limbProfile m_arm;
    limbProfile m_leg;
    frame3 m_deltoid;
    vec3 m_armLower, m_armUpper, m_legLower, m_legUpper;
};

#endif
