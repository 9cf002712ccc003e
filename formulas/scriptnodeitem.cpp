#include "scriptnodeitem.h"

#include "scriptgraphicscene.h"

#include <QCursor>
#include <QGraphicsSceneMouseEvent>

scriptNodeItem::scriptNodeItem(const QRectF &rect, int index)
    : QGraphicsRectItem(rect)
    , unitIndex(index)
{
    setCursor(Qt::PointingHandCursor);
}

void scriptNodeItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (auto *canvas = qobject_cast<scriptGraphicScene *>(scene()))
        canvas->nodeClicked(unitIndex);
    event->accept();
}
