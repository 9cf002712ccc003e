#include "pairitem.h"

pairItem::~pairItem() = default;

void pairItem::clearHerbs()
{
    comments.clear();
    functions.clear();
    targets.clear();
    taboos.clear();
}
