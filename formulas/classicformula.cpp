#include "classicformula.h"

const QList<formulaHerb> &classicFormula::role(const QString &letter) const
{
    static const QList<formulaHerb> none;
    if (letter == QLatin1String("j"))
        return sovereign;
    if (letter == QLatin1String("c"))
        return minister;
    if (letter == QLatin1String("z"))
        return assistant;
    if (letter == QLatin1String("s"))
        return envoy;
    return none;
}

int classicFormula::coreSize() const
{
    return int(sovereign.size() + minister.size() + assistant.size());
}
