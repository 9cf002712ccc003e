#include "scenemodelreader.h"

#include <QFile>
#include <QFileInfo>

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

namespace {
QColor color(const aiMaterial *m, const char *key, unsigned type, unsigned index, const QColor &fallback)
{
    aiColor4D c;
    if (aiGetMaterialColor(m, key, type, index, &c) != AI_SUCCESS)
        return fallback;
    return QColor::fromRgbF(qBound(0.0f, c.r, 1.0f), qBound(0.0f, c.g, 1.0f), qBound(0.0f, c.b, 1.0f),
                            qBound(0.0f, c.a, 1.0f));
}
} // namespace

QString sceneModelReader::texturePath(const QString &nameInModel) const
{
    QString name = nameInModel;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    name = name.section(QLatin1Char('/'), -1);
    if (m_filter)
        name = m_filter(name);
    return m_prefix + name;
}

QList<sceneModelReader::part> sceneModelReader::read(const QString &path) const
{
    QList<part> parts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return parts;
    const QByteArray bytes = file.readAll();
    file.close();
    if (bytes.isEmpty())
        return parts;

    Assimp::Importer importer;
    // Lines and points are dropped; every mesh is made of triangles in the
    // model's own space, with shared vertices and smooth normals.
    importer.SetPropertyInteger(AI_CONFIG_PP_SBP_REMOVE, aiPrimitiveType_POINT | aiPrimitiveType_LINE);
    const unsigned flags = aiProcess_ValidateDataStructure | aiProcess_Triangulate | aiProcess_SortByPType
        | aiProcess_JoinIdenticalVertices | aiProcess_GenSmoothNormals | aiProcess_FindInvalidData;
    const QByteArray hint = QFileInfo(path).suffix().toLatin1();
    const aiScene *scene = importer.ReadFileFromMemory(bytes.constData(), size_t(bytes.size()), flags, hint.constData());
    if (!scene || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) || !scene->mMeshes || !scene->mRootNode)
        return parts;

    // Meshes are placed by the transformations of the nodes that hold them,
    // below the root: the root's own transformation is the importer's turn
    // of the axes (Z up to Y up), and the model keeps its own axes.
    QList<QPair<unsigned, aiMatrix4x4>> placed;
    QList<QPair<const aiNode *, aiMatrix4x4>> pending{{scene->mRootNode, aiMatrix4x4()}};
    while (!pending.isEmpty() && placed.size() < 100000) {
        const auto [node, parent] = pending.takeFirst();
        const aiMatrix4x4 transform = node == scene->mRootNode ? parent : parent * node->mTransformation;
        for (unsigned i = 0; i < node->mNumMeshes; ++i) {
            if (node->mMeshes && node->mMeshes[i] < scene->mNumMeshes)
                placed.append({node->mMeshes[i], transform});
        }
        for (unsigned c = 0; node->mChildren && c < node->mNumChildren; ++c) {
            if (node->mChildren[c])
                pending.append({node->mChildren[c], transform});
        }
    }

    for (const auto &[mi, transform] : std::as_const(placed)) {
        const aiMesh *m = scene->mMeshes[mi];
        if (!m || !m->mVertices || !(m->mPrimitiveTypes & aiPrimitiveType_TRIANGLE))
            continue;
        aiMatrix3x3 turn(transform);
        turn.Inverse().Transpose();
        part p;
        p.mesh.positions.reserve(m->mNumVertices);
        for (unsigned v = 0; v < m->mNumVertices; ++v) {
            const aiVector3D a = transform * m->mVertices[v];
            p.mesh.positions.append(QVector3D(a.x, a.y, a.z));
            aiVector3D n = m->mNormals ? turn * m->mNormals[v] : aiVector3D(0, 0, 1);
            n.NormalizeSafe();
            p.mesh.normals.append(QVector3D(n.x, n.y, n.z));
            if (m->mTextureCoords[0]) {
                const aiVector3D &t = m->mTextureCoords[0][v];
                p.mesh.texCoords.append(QVector2D(t.x, t.y));
            }
        }
        for (unsigned f = 0; f < m->mNumFaces; ++f) {
            const aiFace &face = m->mFaces[f];
            if (face.mNumIndices != 3)
                continue;
            if (face.mIndices[0] >= m->mNumVertices || face.mIndices[1] >= m->mNumVertices
                || face.mIndices[2] >= m->mNumVertices)
                continue;
            p.mesh.indices << face.mIndices[0] << face.mIndices[1] << face.mIndices[2];
        }
        if (p.mesh.indices.isEmpty())
            continue;

        if (scene->mMaterials && m->mMaterialIndex < scene->mNumMaterials) {
            const aiMaterial *mat = scene->mMaterials[m->mMaterialIndex];
            p.material.setDiffuseColor(color(mat, AI_MATKEY_COLOR_DIFFUSE, p.material.diffuseColor()));
            p.material.setAmbientColor(color(mat, AI_MATKEY_COLOR_AMBIENT, p.material.ambientColor()));
            p.material.setSpecularColor(color(mat, AI_MATKEY_COLOR_SPECULAR, p.material.specularColor()));
            float shininess = 0;
            if (aiGetMaterialFloat(mat, AI_MATKEY_SHININESS, &shininess) == AI_SUCCESS)
                p.material.setShininess(qBound(0.0f, shininess, 128.0f));
            aiString texture;
            if (!p.mesh.texCoords.isEmpty()
                && mat->GetTexture(aiTextureType_DIFFUSE, 0, &texture) == AI_SUCCESS && texture.length > 0) {
                QImage image(texturePath(QString::fromUtf8(texture.C_Str())));
                if (!image.isNull())
                    p.material.setTexture(image);
            }
        }
        parts.append(p);
    }
    return parts;
}
