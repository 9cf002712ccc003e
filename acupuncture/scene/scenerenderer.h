#ifndef SCENERENDERER_H
#define SCENERENDERER_H

#include <QHash>
#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>

#include <memory>

class sceneLight;
class sceneMesh;
class sceneViewport;
class sceneWorld;

// Draws a world through a viewport with one light, with shaders and vertex
// buffers on the current OpenGL context. The meshes' buffers and the
// textures are made the first time they are drawn and kept.
class sceneRenderer : protected QOpenGLFunctions
{
public:
    sceneRenderer();
    ~sceneRenderer();

    // Once the context is current.
    bool initialize();
    // A soft vertical gradient behind the scene.
    void drawBackground(const QColor &top, const QColor &bottom);
    void render(const sceneWorld &world, const sceneViewport &viewport, const sceneLight &light);
    // Frees the buffers (with the context current).
    void release();

private:
    struct gpuMesh
    {
        QOpenGLBuffer vertices{QOpenGLBuffer::VertexBuffer};
        QOpenGLBuffer indices{QOpenGLBuffer::IndexBuffer};
        int indexCount = 0;
        bool textured = false;
    };
    gpuMesh *upload(const sceneMesh *mesh);
    QOpenGLTexture *texture(const QImage &image);

    QOpenGLShaderProgram m_program;
    QOpenGLShaderProgram m_background;
    QHash<const sceneMesh *, gpuMesh *> m_meshes;
    QHash<qint64, QOpenGLTexture *> m_textures;
    bool m_ready = false;
};

#endif
