#ifndef SURFACEMESHER_H
#define SURFACEMESHER_H

#include "vec3.h"

#include <array>
#include <functional>
#include <vector>

// A closed triangle mesh.
struct triangleMesh
{
    std::vector<vec3> vertices;
    std::vector<std::array<int, 3>> triangles;

    std::vector<vec3> vertexNormals() const;
};

// Meshes the zero level of an implicit function: a grid over the box is
// sampled, every cell that the surface crosses gets one vertex (surface
// nets), the vertices are moved onto the surface and relaxed along it, and
// the quads across the crossed grid edges are split into triangles.
class surfaceMesher
{
public:
    using field = std::function<double(const vec3 &)>;

    surfaceMesher(field f, const vec3 &lower, const vec3 &upper, double step);

    triangleMesh build(int relaxRounds) const;

    // Moves a point onto the surface along the gradient.
    vec3 project(const vec3 &p) const;

private:
    vec3 gradient(const vec3 &p) const;

    field m_field;
    vec3 m_lower;
    double m_step;
    int m_n[3];
};

#endif
