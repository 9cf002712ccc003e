#include "scriptnodeitem.h"

#include "scriptflow.h"

#include <QGraphicsSceneMouseEvent>

scriptNodeItem::scriptNodeItem(const QRectF &rect, int index, scriptFlow *page)
    : QGraphicsRectItem(rect)
    , unitIndex(index)
    , owner(page)
{
    setCursor(Qt::PointingHandCursor);
}

void scriptNodeItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (owner)
        owner->focusUnit(unitIndex);
    event->accept();
}
