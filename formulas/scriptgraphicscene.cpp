#include "scriptgraphicscene.h"

scriptGraphicScene::scriptGraphicScene(QObject *owner)
    : QGraphicsScene(owner)
{
}
