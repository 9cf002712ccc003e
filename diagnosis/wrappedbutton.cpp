#include "wrappedbutton.h"

#include <QAbstractButton>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <climits>

namespace {

constexpr int verticalPadding = 2;

int indicatorWidth(const QAbstractButton *b, bool radio)
{
    return b->style()->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth,
                                   nullptr, b);
}

int indicatorHeight(const QAbstractButton *b, bool radio)
{
    return b->style()->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorHeight : QStyle::PM_IndicatorHeight,
                                   nullptr, b);
}

int labelSpacing(const QAbstractButton *b, bool radio)
{
    return b->style()->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing,
                                   nullptr, b);
}

int textLeft(const QAbstractButton *b, bool radio)
{
    return indicatorWidth(b, radio) + labelSpacing(b, radio);
}

QRect textBounds(const QAbstractButton *b, int textWidth)
{
    return b->fontMetrics().boundingRect(QRect(0, 0, qMax(1, textWidth), INT_MAX),
                                         Qt::AlignLeft | Qt::TextWordWrap, b->text());
}

} // namespace

namespace wrappedButton {

QSize sizeHint(const QAbstractButton *b, bool radio)
{
    const QSize text = b->fontMetrics().size(Qt::TextSingleLine, b->text());
    const int h = qMax(text.height(), indicatorHeight(b, radio)) + 2 * verticalPadding;
    return QSize(textLeft(b, radio) + text.width() + 4, h);
}

QSize minimumSizeHint(const QAbstractButton *b, bool radio)
{
    const int fewChars = b->fontMetrics().horizontalAdvance(QStringLiteral("中中中中"));
    const QSize full = sizeHint(b, radio);
    return QSize(qMin(full.width(), textLeft(b, radio) + fewChars), full.height());
}

int heightForWidth(const QAbstractButton *b, bool radio, int width)
{
    const QRect text = textBounds(b, width - textLeft(b, radio) - 4);
    return qMax(text.height(), indicatorHeight(b, radio)) + 2 * verticalPadding;
}

void paint(QAbstractButton *b, const QStyleOptionButton &option, bool radio)
{
    QStylePainter painter(b);
    const int lineHeight = b->fontMetrics().height();
    const int ih = indicatorHeight(b, radio);
    QStyleOptionButton indicator = option;
    indicator.rect = QRect(0, verticalPadding + qMax(0, (lineHeight - ih) / 2), indicatorWidth(b, radio), ih);
    painter.drawPrimitive(radio ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox, indicator);

    const int left = textLeft(b, radio);
    const QRect area(left, verticalPadding, b->width() - left, b->height() - 2 * verticalPadding);
    // A locked button shows its caption in the ordinary colour; only the
    // indicator tells that it cannot be changed.
    const bool locked = b->property("locked").toBool();
    QPalette palette = option.palette;
    if (locked)
        palette.setCurrentColorGroup(QPalette::Active);
    painter.drawItemText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, palette, b->isEnabled() || locked,
                         b->text(), QPalette::WindowText);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.initFrom(b);
        focus.rect = textBounds(b, area.width() - 4).translated(area.topLeft()).adjusted(-2, -1, 2, 1);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace wrappedButton
