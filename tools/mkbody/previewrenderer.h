#ifndef PREVIEWRENDERER_H
#define PREVIEWRENDERER_H

#include "surfacemesher.h"

#include <QImage>
#include <QString>

// Draws the mesh and the acupoints into a picture without OpenGL, for
// looking at the generated figure: orthographic, looking along a direction,
// shaded by one light, with the visible points as red dots and their codes.
class previewRenderer
{
public:
    previewRenderer(const triangleMesh &mesh, const std::vector<std::pair<QString, vec3>> &points, double markerRadius);

    // view: direction the camera looks in; up: the picture's up direction.
    QImage render(const vec3 &view, const vec3 &up, const vec3 &centre, double pixelsPerUnit,
                  int width, int height, bool labels) const;

private:
    const triangleMesh &m_mesh;
    std::vector<vec3> m_normals;
    std::vector<std::pair<QString, vec3>> m_points;
    double m_markerRadius;
};

#endif
