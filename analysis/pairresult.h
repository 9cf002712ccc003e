#ifndef PAIRRESULT_H
#define PAIRRESULT_H

#include "pairs/textset.h"

// A herb pair recognised in a prescription.
struct pairResult
{
    int index = -1;
    QString kind; // always "pair2"
    textSet functions;
    textSet targets;
    textSet taboos;
};

#endif
