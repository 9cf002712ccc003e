#include "randomsource.h"

#include <QRandomGenerator>

namespace {
QRandomGenerator &generator()
{
    static QRandomGenerator g;
    return g;
}
} // namespace

void seedProgramRandom(quint32 seed)
{
    generator().seed(seed);
}

quint32 programRandom()
{
    return generator().generate();
}
