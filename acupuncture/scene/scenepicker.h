#ifndef SCENEPICKER_H
#define SCENEPICKER_H

#include <QtGlobal>

class sceneRay;
class sceneWorld;

// Finds what a ray meets first among the shown occurrences: a sphere for an
// occurrence with a pick radius, its triangles for any other. Whatever lies
// behind the first hit (a marker behind the body) is not picked.
class scenePicker
{
public:
    // The id of the nearest occurrence hit, 0 when the ray meets nothing.
    static quint32 pick(const sceneWorld &world, const sceneRay &ray);
};

#endif
