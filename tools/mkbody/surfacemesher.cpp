#include "surfacemesher.h"

#include <algorithm>
#include <cstdint>

std::vector<vec3> triangleMesh::vertexNormals() const
{
    std::vector<vec3> normals(vertices.size());
    for (const auto &t : triangles) {
        const vec3 n = cross(vertices[t[1]] - vertices[t[0]], vertices[t[2]] - vertices[t[0]]);
        for (int i : t)
            normals[i] += n;
    }
    for (vec3 &n : normals)
        n = normalized(n);
    return normals;
}

surfaceMesher::surfaceMesher(field f, const vec3 &lower, const vec3 &upper, double step)
    : m_field(std::move(f)), m_lower(lower), m_step(step)
{
    const vec3 size = upper - lower;
    m_n[0] = int(std::ceil(size.x / step)) + 1;
    m_n[1] = int(std::ceil(size.y / step)) + 1;
    m_n[2] = int(std::ceil(size.z / step)) + 1;
}

vec3 surfaceMesher::gradient(const vec3 &p) const
{
    const double e = m_step * 0.02;
    const double f = m_field(p);
    return vec3(m_field(p + vec3(e, 0, 0)) - f, m_field(p + vec3(0, e, 0)) - f, m_field(p + vec3(0, 0, e)) - f) / e;
}

vec3 surfaceMesher::project(const vec3 &start) const
{
    vec3 p = start;
    for (int i = 0; i < 5; ++i) {
        const double f = m_field(p);
        if (std::fabs(f) < 1e-4 * m_step)
            break;
        const vec3 g = gradient(p);
        const double g2 = dot(g, g);
        if (g2 < 1e-12)
            break;
        vec3 stepVec = g * (f / g2);
        const double l = length(stepVec);
        if (l > m_step)
            stepVec *= m_step / l;
        p -= stepVec;
    }
    return p;
}

triangleMesh surfaceMesher::build(int relaxRounds) const
{
    const int nx = m_n[0], ny = m_n[1], nz = m_n[2];
    const auto sampleIndex = [=](int i, int j, int k) { return (size_t(k) * ny + j) * nx + i; };
    const auto samplePoint = [this](int i, int j, int k) {
        return m_lower + vec3(i * m_step, j * m_step, k * m_step);
    };

    // Sample the field; blocks far from the surface only get the sign of
    // their centre.
    std::vector<float> values(size_t(nx) * ny * nz, 0.0f);
    std::vector<uint8_t> done(values.size(), 0);
    const int block = 4;
    const double reach = 2.0 * block * m_step * std::sqrt(3.0) / 2.0;
    std::vector<std::array<int, 3>> farBlocks;
    std::vector<float> farValues;
    for (int bk = 0; bk < nz; bk += block) {
        for (int bj = 0; bj < ny; bj += block) {
            for (int bi = 0; bi < nx; bi += block) {
                const vec3 centre = samplePoint(bi, bj, bk) + vec3(1, 1, 1) * (block * m_step / 2);
                const double c = m_field(centre);
                if (std::fabs(c) > reach) {
                    farBlocks.push_back({bi, bj, bk});
                    farValues.push_back(float(c));
                    continue;
                }
                for (int k = bk; k <= std::min(bk + block, nz - 1); ++k)
                    for (int j = bj; j <= std::min(bj + block, ny - 1); ++j)
                        for (int i = bi; i <= std::min(bi + block, nx - 1); ++i) {
                            const size_t s = sampleIndex(i, j, k);
                            if (!done[s]) {
                                values[s] = float(m_field(samplePoint(i, j, k)));
                                done[s] = 1;
                            }
                        }
            }
        }
    }
    for (size_t b = 0; b < farBlocks.size(); ++b) {
        const auto &o = farBlocks[b];
        for (int k = o[2]; k <= std::min(o[2] + block, nz - 1); ++k)
            for (int j = o[1]; j <= std::min(o[1] + block, ny - 1); ++j)
                for (int i = o[0]; i <= std::min(o[0] + block, nx - 1); ++i) {
                    const size_t s = sampleIndex(i, j, k);
                    if (!done[s]) {
                        values[s] = farValues[b];
                        done[s] = 1;
                    }
                }
    }

    // One vertex per crossed cell, at the mean of its edge crossings.
    const int cx = nx - 1, cy = ny - 1, cz = nz - 1;
    const auto cellIndex = [=](int i, int j, int k) { return (size_t(k) * cy + j) * cx + i; };
    std::vector<int> cellVertex(size_t(cx) * cy * cz, -1);
    triangleMesh mesh;
    static const int corners[8][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0},
                                      {0, 0, 1}, {1, 0, 1}, {0, 1, 1}, {1, 1, 1}};
    static const int edges[12][2] = {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {0, 2}, {1, 3},
                                     {4, 6}, {5, 7}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
    for (int k = 0; k < cz; ++k) {
        for (int j = 0; j < cy; ++j) {
            for (int i = 0; i < cx; ++i) {
                float v[8];
                int inside = 0;
                for (int c = 0; c < 8; ++c) {
                    v[c] = values[sampleIndex(i + corners[c][0], j + corners[c][1], k + corners[c][2])];
                    inside += v[c] < 0;
                }
                if (inside == 0 || inside == 8)
                    continue;
                vec3 sum;
                int count = 0;
                for (const auto &e : edges) {
                    const float a = v[e[0]], b = v[e[1]];
                    if ((a < 0) == (b < 0))
                        continue;
                    const double t = a / (a - b);
                    const vec3 pa(corners[e[0]][0], corners[e[0]][1], corners[e[0]][2]);
                    const vec3 pb(corners[e[1]][0], corners[e[1]][1], corners[e[1]][2]);
                    sum += lerp(pa, pb, t);
                    ++count;
                }
                cellVertex[cellIndex(i, j, k)] = int(mesh.vertices.size());
                mesh.vertices.push_back(samplePoint(i, j, k) + (sum / count) * m_step);
            }
        }
    }

    // A quad around every crossed grid edge, facing outward.
    std::vector<std::array<int, 4>> quads;
    for (int k = 1; k < nz - 1; ++k) {
        for (int j = 1; j < ny - 1; ++j) {
            for (int i = 1; i < nx - 1; ++i) {
                const bool in = values[sampleIndex(i, j, k)] < 0;
                for (int axis = 0; axis < 3; ++axis) {
                    const int di = axis == 0, dj = axis == 1, dk = axis == 2;
                    if (i + di >= nx || j + dj >= ny || k + dk >= nz)
                        continue;
                    const bool inNext = values[sampleIndex(i + di, j + dj, k + dk)] < 0;
                    if (in == inNext)
                        continue;
                    std::array<int, 4> q;
                    if (axis == 0)
                        q = {int(cellVertex[cellIndex(i, j - 1, k - 1)]), int(cellVertex[cellIndex(i, j, k - 1)]),
                             int(cellVertex[cellIndex(i, j, k)]), int(cellVertex[cellIndex(i, j - 1, k)])};
                    else if (axis == 1)
                        q = {int(cellVertex[cellIndex(i - 1, j, k - 1)]), int(cellVertex[cellIndex(i - 1, j, k)]),
                             int(cellVertex[cellIndex(i, j, k)]), int(cellVertex[cellIndex(i, j, k - 1)])};
                    else
                        q = {int(cellVertex[cellIndex(i - 1, j - 1, k)]), int(cellVertex[cellIndex(i, j - 1, k)]),
                             int(cellVertex[cellIndex(i, j, k)]), int(cellVertex[cellIndex(i - 1, j, k)])};
                    if (!in)
                        std::reverse(q.begin(), q.end());
                    quads.push_back(q);
                }
            }
        }
    }

    // Onto the surface, then relax along it.
    for (vec3 &p : mesh.vertices)
        p = project(p);
    std::vector<std::vector<int>> neighbours(mesh.vertices.size());
    for (const auto &q : quads) {
        for (int e = 0; e < 4; ++e) {
            neighbours[q[e]].push_back(q[(e + 1) % 4]);
            neighbours[q[(e + 1) % 4]].push_back(q[e]);
        }
    }
    for (auto &n : neighbours) {
        std::sort(n.begin(), n.end());
        n.erase(std::unique(n.begin(), n.end()), n.end());
    }
    for (int round = 0; round < relaxRounds; ++round) {
        std::vector<vec3> next(mesh.vertices.size());
        for (size_t v = 0; v < mesh.vertices.size(); ++v) {
            if (neighbours[v].empty()) {
                next[v] = mesh.vertices[v];
                continue;
            }
            vec3 mean;
            for (int n : neighbours[v])
                mean += mesh.vertices[n];
            mean = mean / double(neighbours[v].size());
            next[v] = project(lerp(mesh.vertices[v], mean, 0.5));
        }
        mesh.vertices.swap(next);
    }

    for (const auto &q : quads) {
        const double d02 = length(mesh.vertices[q[0]] - mesh.vertices[q[2]]);
        const double d13 = length(mesh.vertices[q[1]] - mesh.vertices[q[3]]);
        if (d02 <= d13) {
            mesh.triangles.push_back({q[0], q[1], q[2]});
            mesh.triangles.push_back({q[0], q[2], q[3]});
        } else {
            mesh.triangles.push_back({q[0], q[1], q[3]});
            mesh.triangles.push_back({q[1], q[2], q[3]});
        }
    }
    return mesh;
}
