#ifndef CUBICSPLINE_H
#define CUBICSPLINE_H

#include <vector>

// A natural cubic spline through points with increasing x; constant beyond
// the first and last point.
class cubicSpline
{
public:
    cubicSpline() = default;
    cubicSpline(std::vector<double> x, std::vector<double> y);

    double operator()(double at) const;

private:
    std::vector<double> m_x, m_y, m_moments;
};

#endif
