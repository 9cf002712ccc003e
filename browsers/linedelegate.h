#ifndef LINEDELEGATE_H
#define LINEDELEGATE_H

#include <QStyledItemDelegate>

// Draws the rows of the browser lists: a calm highlight for the hovered and
// the selected row and a thin line under every row.
class lineDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

#endif
