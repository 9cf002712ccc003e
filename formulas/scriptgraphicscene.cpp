#include "scriptgraphicscene.h"

#include "scriptflow.h"

scriptGraphicScene::scriptGraphicScene(scriptFlow *owner)
    : QGraphicsScene(owner)
    , m_owner(owner)
{
}
