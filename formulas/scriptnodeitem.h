#ifndef SCRIPTNODEITEM_H
#define SCRIPTNODEITEM_H

#include <QGraphicsRectItem>

// The box of one formula on the flow page; a click is reported through its
// scene (scriptGraphicScene), which the page listens to.
class scriptNodeItem : public QGraphicsRectItem
{
public:
    scriptNodeItem(const QRectF &rect, int unitIndex);

    int unitIndex = -1;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
};

#endif
