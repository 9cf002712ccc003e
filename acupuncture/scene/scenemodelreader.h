#ifndef SCENEMODELREADER_H
#define SCENEMODELREADER_H

#include "scenematerial.h"
#include "scenemesh.h"

#include <QList>
#include <QString>

#include <functional>

// Reads a 3D model file (3DS and the other formats assimp knows) into meshes
// with their materials. Texture pictures named by the model are looked up by
// their file name under the resource prefix, after the name filter has been
// applied to the name. Files that cannot be read or hold no triangles give
// no parts; nothing is thrown.
class sceneModelReader
{
public:
    struct part
    {
        sceneMesh mesh;
        sceneMaterial material;
    };

    void setResourcePrefix(const QString &prefix) { m_prefix = prefix; }
    void setTextureNameFilter(std::function<QString(const QString &)> filter) { m_filter = std::move(filter); }

    QList<part> read(const QString &path) const;
    QString texturePath(const QString &nameInModel) const;

private:
    QString m_prefix;
    std::function<QString(const QString &)> m_filter;
};

#endif
