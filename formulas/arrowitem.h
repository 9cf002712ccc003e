#ifndef ARROWITEM_H
#define ARROWITEM_H

#include <QGraphicsItem>
#include <QPointF>
#include <QRectF>

// The arrow of one derivation, from the box of the source formula to the box
// of the derived one, labelled with the herbs taken out and put in.
class ArrowItem : public QGraphicsItem
{
public:
    ArrowItem(int lineIndex, int fromIndex, int toIndex, QGraphicsItem *parent = nullptr);

    // Places the arrow between two boxes (and adds its label).
    void place(const QRectF &from, const QRectF &to);

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    // The midpoint of the side of rect that faces point p; (0, 0) when p is
    // inside rect.
    static QPointF borderAnchor(const QPointF &p, const QRectF &rect);

    int fromIndex = -1;
    int toIndex = -1;
    bool valid = false;
    QPointF start;
    QPointF end;
    QPointF head1;
    QPointF head2;
    QRectF targetRect;
    int lineIndex = -1;
};

#endif
