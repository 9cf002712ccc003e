#ifndef SCRIPTNODEITEM_H
#define SCRIPTNODEITEM_H

#include <QGraphicsRectItem>

class scriptFlow;

// The box of one formula on the flow page; a click focuses its derivations.
class scriptNodeItem : public QGraphicsRectItem
{
public:
    scriptNodeItem(const QRectF &rect, int unitIndex, scriptFlow *owner);

    int unitIndex = -1;
    scriptFlow *owner = nullptr;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
};

#endif
