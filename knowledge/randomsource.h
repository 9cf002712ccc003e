#ifndef RANDOMSOURCE_H
#define RANDOMSOURCE_H

#include <QtGlobal>

// Qt-side random generator of the program, seeded once at start-up.
void seedProgramRandom(quint32 seed);
quint32 programRandom();

#endif
