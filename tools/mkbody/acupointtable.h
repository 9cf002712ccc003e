#ifndef ACUPOINTTABLE_H
#define ACUPOINTTABLE_H

#include "acupointplacer.h"

#include <string>
#include <vector>

// One acupoint of the twelve regular meridians with its place on the body.
struct acupointSpot
{
    std::string code;
    vec3 position;
};

// The points of the twelve meridians, meridian by meridian in the order of
// their numbers, placed from their anatomical descriptions.
std::vector<acupointSpot> placeAcupoints(const acupointPlacer &p);

#endif
