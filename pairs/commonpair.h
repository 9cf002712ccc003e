#ifndef COMMONPAIR_H
#define COMMONPAIR_H

#include "textset.h"

// A group of herbs with a known combined function and target.
struct commonPair
{
    textSet herbs;
    textSet functions;
    textSet targets;
};

#endif
