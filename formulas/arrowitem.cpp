#include "arrowitem.h"

#include "flowgraph.h"

#include <QGraphicsSimpleTextItem>
#include <QPainter>
#include <QtMath>

namespace {
const double headAngle = 1.0471966666666666; // 3.14159 / 3
const double headSize = 8;
const QColor arrowColour(79, 136, 187);

double distance(const QPointF &a, const QPointF &b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}
} // namespace

ArrowItem::ArrowItem(int line, int from, int to, QGraphicsItem *parent)
    : QGraphicsItem(parent)
    , fromIndex(from)
    , toIndex(to)
    , lineIndex(line)
{
}

QPointF ArrowItem::borderAnchor(const QPointF &p, const QRectF &r)
{
    const QPointF top(r.center().x(), r.top());
    const QPointF right(r.right(), r.center().y());
    const QPointF bottom(r.center().x(), r.bottom());
    const QPointF left(r.left(), r.center().y());
    const bool isLeft = p.x() < r.left();
    const bool isRight = p.x() > r.right();
    const bool above = p.y() < r.top();
    const bool below = p.y() > r.bottom();
    if (isLeft) {
        if (above)
            return distance(p, top) <= distance(p, left) ? top : left;
        if (below)
            return distance(p, left) <= distance(p, bottom) ? left : bottom;
        return left;
    }
    if (isRight) {
        if (above)
            return distance(p, top) <= distance(p, right) ? top : right;
        if (below)
            return distance(p, bottom) <= distance(p, right) ? bottom : right;
        return right;
    }
    if (above)
        return top;
    if (below)
        return bottom;
    return QPointF(0, 0);
}

void ArrowItem::place(const QRectF &from, const QRectF &to)
{
    prepareGeometryChange();
    valid = true;
    start = from.center();
    targetRect = to;
    if (to.contains(from.center())) {
        valid = false;
        return;
    }
    end = borderAnchor(from.center(), to);
    const double dx = end.x() - start.x();
    const double dy = end.y() - start.y();
    const double length = std::hypot(dx, dy);
    double theta = length > 0 ? std::acos(dx / length) : 0;
    if (dy >= 0)
        theta = 6.28318 - theta;
    head1 = end + QPointF(std::sin(theta - headAngle) * headSize, std::cos(theta - headAngle) * headSize);
    head2 = end + QPointF(std::sin(theta - 3.14159 + headAngle) * headSize, std::cos(theta - 3.14159 + headAngle) * headSize);
    start = borderAnchor(to.center(), from);

    const QPointF label = (start + end) * 0.5;
    if (lineIndex >= 0 && lineIndex < flowLines().size()) {
        auto *text = new QGraphicsSimpleTextItem(flowLines().at(lineIndex).flag, this);
        text->setBrush(QColor(55, 55, 255));
        text->setPos(label);
    }
}

QRectF ArrowItem::boundingRect() const
{
    return QRectF(start, end).normalized().adjusted(-4.75, -4.75, 4.75, 4.75);
}

void ArrowItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!valid)
        return;
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(arrowColour, 1.5));
    painter->setBrush(arrowColour);
    painter->drawLine(start, end);
    const QPointF head[] = {end, head1, head2};
    painter->drawPolygon(head, 3);
}
