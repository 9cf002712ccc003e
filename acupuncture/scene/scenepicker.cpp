#include "scenepicker.h"

#include "sceneray.h"
#include "sceneworld.h"

#include <limits>

quint32 scenePicker::pick(const sceneWorld &world, const sceneRay &ray)
{
    quint32 best = 0;
    float nearest = std::numeric_limits<float>::max();
    for (const sceneOccurrence &o : world.occurrences()) {
        if (!o.isVisible() || !o.mesh())
            continue;
        float t;
        bool hit;
        if (o.pickRadius() > 0) {
            hit = ray.intersectSphere(o.translation(), o.pickRadius(), &t);
        } else {
            // Only a mesh whose box the ray may reach is tested triangle by
            // triangle.
            const sceneBox box = o.boundingBox();
            hit = ray.intersectSphere(box.center(), box.radius() * 1.001f, &t) || box.contains(ray.origin());
            hit = hit && o.mesh()->intersect(ray, o.translation(), &t);
        }
        if (hit && t < nearest) {
            nearest = t;
            best = o.id();
        }
    }
    return best;
}
