#include "modelwriter.h"

#include <assimp/Exporter.hpp>
#include <assimp/material.h>
#include <assimp/scene.h>

#include <memory>

bool modelWriter::write3ds(const triangleMesh &mesh, const std::string &path, std::string *error)
{
    // The scene owns (and frees) everything attached to it.
    auto scene = std::make_unique<aiScene>();
    scene->mRootNode = new aiNode("body");
    scene->mRootNode->mNumMeshes = 1;
    scene->mRootNode->mMeshes = new unsigned[1]{0};

    auto *material = new aiMaterial;
    const aiString name("skin");
    material->AddProperty(&name, AI_MATKEY_NAME);
    const aiColor3D diffuse(0.80f, 0.62f, 0.50f);
    const aiColor3D ambient(0.80f, 0.62f, 0.50f);
    const aiColor3D specular(0.16f, 0.14f, 0.12f);
    const float shininess = 20.0f;
    material->AddProperty(&diffuse, 1, AI_MATKEY_COLOR_DIFFUSE);
    material->AddProperty(&ambient, 1, AI_MATKEY_COLOR_AMBIENT);
    material->AddProperty(&specular, 1, AI_MATKEY_COLOR_SPECULAR);
    material->AddProperty(&shininess, 1, AI_MATKEY_SHININESS);
    scene->mNumMaterials = 1;
    scene->mMaterials = new aiMaterial *[1]{material};

    auto *m = new aiMesh;
    m->mName = aiString("body");
    m->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
    m->mMaterialIndex = 0;
    m->mNumVertices = unsigned(mesh.vertices.size());
    m->mVertices = new aiVector3D[mesh.vertices.size()];
    for (size_t i = 0; i < mesh.vertices.size(); ++i) {
        const vec3 &v = mesh.vertices[i];
        m->mVertices[i] = aiVector3D(float(v.x), float(v.y), float(v.z));
    }
    m->mNumFaces = unsigned(mesh.triangles.size());
    m->mFaces = new aiFace[mesh.triangles.size()];
    for (size_t f = 0; f < mesh.triangles.size(); ++f) {
        m->mFaces[f].mNumIndices = 3;
        m->mFaces[f].mIndices = new unsigned[3]{unsigned(mesh.triangles[f][0]), unsigned(mesh.triangles[f][1]),
                                                unsigned(mesh.triangles[f][2])};
    }
    scene->mNumMeshes = 1;
    scene->mMeshes = new aiMesh *[1]{m};

    Assimp::Exporter exporter;
    if (exporter.Export(scene.get(), "3ds", path) != AI_SUCCESS) {
        if (error)
            *error = exporter.GetErrorString();
        return false;
    }
    return true;
}
