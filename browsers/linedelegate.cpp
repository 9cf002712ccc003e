#include "linedelegate.h"

#include <QPainter>

void lineDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    painter->save();
    const QRect r = option.rect;
    if (option.state & QStyle::State_Selected)
        painter->fillRect(r, QColor(206, 228, 232));
    else if (option.state & QStyle::State_MouseOver)
        painter->fillRect(r, QColor(236, 244, 246));
    painter->setPen(QColor(226, 232, 234));
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    painter->setPen(QColor(40, 56, 62));
    painter->drawText(r.adjusted(10, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, index.data(Qt::DisplayRole).toString());
    painter->restore();
}

QSize lineDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setHeight(qMax(s.height(), 26));
    return s;
}
