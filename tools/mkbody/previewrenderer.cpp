#include "previewrenderer.h"

#include <QPainter>

#include <algorithm>
#include <limits>

previewRenderer::previewRenderer(const triangleMesh &mesh, const std::vector<std::pair<QString, vec3>> &points,
                                 double markerRadius)
    : m_mesh(mesh), m_normals(mesh.vertexNormals()), m_points(points), m_markerRadius(markerRadius)
{
}

QImage previewRenderer::render(const vec3 &view, const vec3 &up, const vec3 &centre, double pixelsPerUnit,
                               int width, int height, bool labels) const
{
    const vec3 forward = normalized(view);
    const vec3 right = normalized(cross(forward, up));
    const vec3 top = cross(right, forward);
    const auto toScreen = [&](const vec3 &p) {
        const vec3 d = p - centre;
        return vec3(width / 2.0 + dot(d, right) * pixelsPerUnit, height / 2.0 - dot(d, top) * pixelsPerUnit,
                    dot(d, forward));
    };
    const vec3 light = normalized(top * 0.6 + right * 0.5 - forward * 1.0);

    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const int shade = 70 - 40 * y / height;
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(shade - 10, shade - 5, shade + 5));
    }
    std::vector<double> depth(size_t(width) * height, std::numeric_limits<double>::max());
    std::vector<vec3> screen(m_mesh.vertices.size());
    for (size_t i = 0; i < screen.size(); ++i)
        screen[i] = toScreen(m_mesh.vertices[i]);

    for (const auto &t : m_mesh.triangles) {
        const vec3 &a = screen[t[0]], &b = screen[t[1]], &c = screen[t[2]];
        const double area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        if (std::fabs(area) < 1e-12)
            continue;
        const int x0 = std::max(0, int(std::floor(std::min({a.x, b.x, c.x}))));
        const int x1 = std::min(width - 1, int(std::ceil(std::max({a.x, b.x, c.x}))));
        const int y0 = std::max(0, int(std::floor(std::min({a.y, b.y, c.y}))));
        const int y1 = std::min(height - 1, int(std::ceil(std::max({a.y, b.y, c.y}))));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const double px = x + 0.5, py = y + 0.5;
                const double w0 = ((b.x - px) * (c.y - py) - (b.y - py) * (c.x - px)) / area;
                const double w1 = ((c.x - px) * (a.y - py) - (c.y - py) * (a.x - px)) / area;
                const double w2 = 1.0 - w0 - w1;
                if (w0 < 0 || w1 < 0 || w2 < 0)
                    continue;
                const double z = w0 * a.z + w1 * b.z + w2 * c.z;
                double &stored = depth[size_t(y) * width + x];
                if (z >= stored)
                    continue;
                stored = z;
                const vec3 n = normalized(m_normals[t[0]] * w0 + m_normals[t[1]] * w1 + m_normals[t[2]] * w2);
                const double diffuse = std::max(0.0, dot(n, light));
                const vec3 h = normalized(light - forward);
                const double shine = std::pow(std::max(0.0, dot(n, h)), 24.0) * 0.18;
                const double l = 0.28 + 0.72 * diffuse;
                image.setPixel(x, y, qRgb(std::min(255, int(236 * l + 255 * shine)),
                                          std::min(255, int(196 * l + 255 * shine)),
                                          std::min(255, int(170 * l + 255 * shine))));
            }
        }
    }

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    const double radius = std::max(2.0, m_markerRadius * pixelsPerUnit);
    for (const auto &point : m_points) {
        const vec3 s = toScreen(point.second);
        const int x = int(s.x), y = int(s.y);
        if (x < 0 || y < 0 || x >= width || y >= height)
            continue;
        // Visible when no surface lies clearly in front of it.
        double nearest = std::numeric_limits<double>::max();
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int xx = std::clamp(x + dx, 0, width - 1), yy = std::clamp(y + dy, 0, height - 1);
                nearest = std::min(nearest, depth[size_t(yy) * width + xx]);
            }
        if (s.z > nearest + m_markerRadius)
            continue;
        painter.setPen(QPen(QColor(90, 0, 0), 0.8));
        painter.setBrush(QColor(225, 40, 40));
        painter.drawEllipse(QPointF(s.x, s.y), radius, radius);
        if (labels) {
            painter.setPen(QColor(255, 255, 160));
            painter.drawText(QPointF(s.x + radius + 1, s.y + 3), point.first);
        }
    }
    return image;
}
