#include "scenerenderer.h"

#include "scenelight.h"
#include "scenemesh.h"
#include "sceneviewport.h"
#include "sceneworld.h"

#include <QVector4D>

namespace {
const char *const vertexShader = R"(
attribute highp vec3 position;
attribute highp vec3 normal;
attribute highp vec2 texCoord;
uniform highp mat4 modelView;
uniform highp mat4 projection;
uniform highp mat3 normalMatrix;
varying highp vec3 eyePosition;
varying highp vec3 eyeNormal;
varying highp vec2 uv;
void main()
{
    vec4 p = modelView * vec4(position, 1.0);
    eyePosition = p.xyz;
    eyeNormal = normalMatrix * normal;
    uv = texCoord;
    gl_Position = projection * p;
}
)";

// One white point light in the camera's frame, ambient light of 0.2 as in
// the fixed-function pipeline, a little specular shine.
const char *const fragmentShader = R"(
uniform highp vec3 lightPosition;
uniform mediump vec4 lightColor;
uniform mediump vec4 ambient;
uniform mediump vec4 diffuse;
uniform mediump vec4 specular;
uniform mediump float shininess;
uniform bool ortho;
uniform bool textured;
uniform sampler2D picture;
varying highp vec3 eyePosition;
varying highp vec3 eyeNormal;
varying highp vec2 uv;
void main()
{
    vec3 n = normalize(eyeNormal);
    if (!gl_FrontFacing)
        n = -n;
    vec3 l = normalize(lightPosition - eyePosition);
    vec3 v = ortho ? vec3(0.0, 0.0, 1.0) : normalize(-eyePosition);
    float d = max(dot(n, l), 0.0);
    float s = d > 0.0 ? pow(max(dot(n, normalize(l + v)), 0.0), max(shininess, 1.0)) : 0.0;
    vec4 base = diffuse;
    if (textured)
        base *= texture2D(picture, uv);
    vec3 c = ambient.rgb * 0.2 + base.rgb * lightColor.rgb * d + specular.rgb * lightColor.rgb * s;
    gl_FragColor = vec4(c, base.a);
}
)";

const char *const backgroundVertex = R"(
attribute highp vec2 corner;
attribute mediump vec3 shade;
varying mediump vec3 color;
void main()
{
    color = shade;
    gl_Position = vec4(corner, 0.0, 1.0);
}
)";

const char *const backgroundFragment = R"(
varying mediump vec3 color;
void main()
{
    gl_FragColor = vec4(color, 1.0);
}
)";

QVector4D rgba(const QColor &c)
{
    return QVector4D(float(c.redF()), float(c.greenF()), float(c.blueF()), float(c.alphaF()));
}
} // namespace

sceneRenderer::sceneRenderer() = default;

sceneRenderer::~sceneRenderer()
{
    // The buffers belong to a context that may be gone; release() frees
    // them while it is current.
    qDeleteAll(m_meshes);
}

bool sceneRenderer::initialize()
{
    initializeOpenGLFunctions();
    m_ready = m_program.addShaderFromSourceCode(QOpenGLShader::Vertex, vertexShader)
        && m_program.addShaderFromSourceCode(QOpenGLShader::Fragment, fragmentShader) && m_program.link()
        && m_background.addShaderFromSourceCode(QOpenGLShader::Vertex, backgroundVertex)
        && m_background.addShaderFromSourceCode(QOpenGLShader::Fragment, backgroundFragment) && m_background.link();
    return m_ready;
}

void sceneRenderer::release()
{
    for (gpuMesh *g : std::as_const(m_meshes)) {
        g->vertices.destroy();
        g->indices.destroy();
        delete g;
    }
    m_meshes.clear();
    qDeleteAll(m_textures);
    m_textures.clear();
}

sceneRenderer::gpuMesh *sceneRenderer::upload(const sceneMesh *mesh)
{
    if (gpuMesh *g = m_meshes.value(mesh))
        return g;
    auto *g = new gpuMesh;
    g->textured = mesh->texCoords.size() == mesh->positions.size();
    // Interleaved: position, normal, texture coordinates.
    QList<float> data;
    data.reserve(mesh->positions.size() * 8);
    for (qsizetype i = 0; i < mesh->positions.size(); ++i) {
        const QVector3D &p = mesh->positions[i];
        const QVector3D n = i < mesh->normals.size() ? mesh->normals[i] : QVector3D(0, 0, 1);
        const QVector2D t = g->textured ? mesh->texCoords[i] : QVector2D();
        data << p.x() << p.y() << p.z() << n.x() << n.y() << n.z() << t.x() << t.y();
    }
    g->vertices.create();
    g->vertices.bind();
    g->vertices.allocate(data.constData(), int(data.size() * sizeof(float)));
    g->indices.create();
    g->indices.bind();
    g->indices.allocate(mesh->indices.constData(), int(mesh->indices.size() * sizeof(quint32)));
    g->indexCount = int(mesh->indices.size());
    m_meshes.insert(mesh, g);
    return g;
}

QOpenGLTexture *sceneRenderer::texture(const QImage &image)
{
    const qint64 key = image.cacheKey();
    if (QOpenGLTexture *t = m_textures.value(key))
        return t;
    auto *t = new QOpenGLTexture(image.mirrored());
    t->setMinificationFilter(QOpenGLTexture::LinearMipMapLinear);
    t->setMagnificationFilter(QOpenGLTexture::Linear);
    t->setWrapMode(QOpenGLTexture::Repeat);
    m_textures.insert(key, t);
    return t;
}

void sceneRenderer::drawBackground(const QColor &top, const QColor &bottom)
{
    if (!m_ready)
        return;
    const QVector4D a = rgba(top), b = rgba(bottom);
    const float quad[] = {-1, -1, b.x(), b.y(), b.z(), 1, -1, b.x(), b.y(), b.z(),
                          -1, 1,  a.x(), a.y(), a.z(), 1, 1,  a.x(), a.y(), a.z()};
    glDisable(GL_DEPTH_TEST);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    m_background.bind();
    const int corner = m_background.attributeLocation("corner");
    const int shade = m_background.attributeLocation("shade");
    m_background.enableAttributeArray(corner);
    m_background.enableAttributeArray(shade);
    m_background.setAttributeArray(corner, GL_FLOAT, quad, 2, 5 * sizeof(float));
    m_background.setAttributeArray(shade, GL_FLOAT, quad + 2, 3, 5 * sizeof(float));
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    m_background.disableAttributeArray(corner);
    m_background.disableAttributeArray(shade);
    m_background.release();
}

void sceneRenderer::render(const sceneWorld &world, const sceneViewport &viewport, const sceneLight &light)
{
    if (!m_ready)
        return;
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);

    m_program.bind();
    m_program.setUniformValue("projection", viewport.projectionMatrix());
    m_program.setUniformValue("lightPosition", light.position());
    m_program.setUniformValue("lightColor", rgba(light.color()));
    m_program.setUniformValue("ortho", viewport.isOrtho());
    m_program.setUniformValue("picture", 0);
    const int position = m_program.attributeLocation("position");
    const int normal = m_program.attributeLocation("normal");
    const int texCoord = m_program.attributeLocation("texCoord");
    const QMatrix4x4 view = viewport.viewMatrix();

    for (const sceneOccurrence &o : world.occurrences()) {
        if (!o.isVisible() || !o.mesh() || o.mesh()->indices.isEmpty())
            continue;
        gpuMesh *g = upload(o.mesh());
        QMatrix4x4 modelView = view;
        modelView.translate(o.translation());
        m_program.setUniformValue("modelView", modelView);
        m_program.setUniformValue("normalMatrix", modelView.normalMatrix());
        const sceneMaterial &m = o.material();
        m_program.setUniformValue("ambient", rgba(m.ambientColor()));
        m_program.setUniformValue("diffuse", rgba(m.diffuseColor()));
        m_program.setUniformValue("specular", rgba(m.specularColor()));
        m_program.setUniformValue("shininess", m.shininess());
        const bool textured = g->textured && m.hasTexture();
        m_program.setUniformValue("textured", textured);
        if (textured)
            texture(m.texture())->bind(0);

        g->vertices.bind();
        g->indices.bind();
        const int stride = 8 * sizeof(float);
        m_program.enableAttributeArray(position);
        m_program.enableAttributeArray(normal);
        m_program.setAttributeBuffer(position, GL_FLOAT, 0, 3, stride);
        m_program.setAttributeBuffer(normal, GL_FLOAT, 3 * sizeof(float), 3, stride);
        if (texCoord >= 0) {
            m_program.enableAttributeArray(texCoord);
            m_program.setAttributeBuffer(texCoord, GL_FLOAT, 6 * sizeof(float), 2, stride);
        }
        glDrawElements(GL_TRIANGLES, g->indexCount, GL_UNSIGNED_INT, nullptr);
        if (textured)
            texture(m.texture())->release();
    }
    m_program.disableAttributeArray(position);
    m_program.disableAttributeArray(normal);
    if (texCoord >= 0)
        m_program.disableAttributeArray(texCoord);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    m_program.release();
    // Leave the state as the painter that draws over the scene expects it.
    glDisable(GL_DEPTH_TEST);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
}
