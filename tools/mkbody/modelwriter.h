#ifndef MODELWRITER_H
#define MODELWRITER_H

#include "surfacemesher.h"

#include <string>

// Writes the body mesh as a 3DS file (with assimp's exporter): one object
// with a skin-coloured material, vertices already in the model's units.
class modelWriter
{
public:
    static bool write3ds(const triangleMesh &mesh, const std::string &path, std::string *error);
};

#endif
