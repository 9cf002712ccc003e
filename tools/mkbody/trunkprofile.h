#ifndef TRUNKPROFILE_H
#define TRUNKPROFILE_H

#include "cubicspline.h"
#include "vec3.h"

#include <vector>

// The trunk as a loft of rounded cross-sections from the crotch to the base
// of the neck. Each row of the table gives, at one height, the half width and
// the front and back surfaces on the midline; between the rows the values
// follow natural cubic splines.
class trunkProfile
{
public:
    struct row
    {
        double z;
        double halfWidth;
        double front;   // y of the front surface (negative)
        double back;    // y of the back surface
    };

    explicit trunkProfile(const std::vector<row> &rows);

    double distance(const vec3 &p) const;
    row at(double z) const;

private:
    double m_bottom, m_top;
    cubicSpline m_width, m_front, m_back;
};

#endif
