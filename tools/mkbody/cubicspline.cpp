#include "cubicspline.h"

#include <cstddef>

cubicSpline::cubicSpline(std::vector<double> x, std::vector<double> y)
    : m_x(std::move(x)), m_y(std::move(y)), m_moments(m_x.size(), 0.0)
{
    // Second derivatives: a tridiagonal system, zero at both ends.
    const std::size_t n = m_x.size();
    if (n < 3)
        return;
    std::vector<double> c(n, 0.0), d(n, 0.0);
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double h0 = m_x[i] - m_x[i - 1], h1 = m_x[i + 1] - m_x[i];
        const double a = h0 / 6.0, b = (h0 + h1) / 3.0;
        const double r = (m_y[i + 1] - m_y[i]) / h1 - (m_y[i] - m_y[i - 1]) / h0;
        const double denom = b - a * c[i - 1];
        c[i] = (h1 / 6.0) / denom;
        d[i] = (r - a * d[i - 1]) / denom;
    }
    for (std::size_t i = n - 2; i >= 1; --i)
        m_moments[i] = d[i] - c[i] * m_moments[i + 1];
}

double cubicSpline::operator()(double at) const
{
    if (at <= m_x.front())
        return m_y.front();
    if (at >= m_x.back())
        return m_y.back();
    std::size_t i = 0;
    while (at > m_x[i + 1])
        ++i;
    const double h = m_x[i + 1] - m_x[i];
    const double a = (m_x[i + 1] - at) / h, b = (at - m_x[i]) / h;
    return a * m_y[i] + b * m_y[i + 1]
        + ((a * a * a - a) * m_moments[i] + (b * b * b - b) * m_moments[i + 1]) * h * h / 6.0;
}
