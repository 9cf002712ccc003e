#ifndef SCENEMATERIAL_H
#define SCENEMATERIAL_H

#include <QColor>
#include <QImage>

// How a surface reflects the light: ambient, diffuse and specular colours,
// the shininess, and an optional texture picture.
class sceneMaterial
{
public:
    sceneMaterial();

    QColor ambientColor() const { return m_ambient; }
    QColor diffuseColor() const { return m_diffuse; }
    QColor specularColor() const { return m_specular; }
    float shininess() const { return m_shininess; }
    const QImage &texture() const { return m_texture; }
    bool hasTexture() const { return !m_texture.isNull(); }

    void setAmbientColor(const QColor &c) { m_ambient = c; }
    void setDiffuseColor(const QColor &c) { m_diffuse = c; }
    void setSpecularColor(const QColor &c) { m_specular = c; }
    void setShininess(float s) { m_shininess = s; }
    void setTexture(const QImage &image) { m_texture = image; }

private:
    QColor m_ambient;
    QColor m_diffuse;
    QColor m_specular;
    float m_shininess = 0.0f;
    QImage m_texture;
};

#endif
