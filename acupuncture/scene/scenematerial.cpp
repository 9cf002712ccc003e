#include "scenematerial.h"

sceneMaterial::sceneMaterial()
    : m_ambient(QColor::fromRgbF(0.2f, 0.2f, 0.2f)), m_diffuse(QColor::fromRgbF(0.8f, 0.8f, 0.8f)),
      m_specular(Qt::black)
{
}
