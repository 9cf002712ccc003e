#include "answerradiobutton.h"

#include "wrappedbutton.h"

#include <QStyleOptionButton>

answerRadioButton::answerRadioButton(const QString &text, QWidget *parent)
    : QRadioButton(text, parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QSize answerRadioButton::sizeHint() const
{
    return wrappedButton::sizeHint(this, true);
}

QSize answerRadioButton::minimumSizeHint() const
{
    return wrappedButton::minimumSizeHint(this, true);
}

int answerRadioButton::heightForWidth(int width) const
{
    return wrappedButton::heightForWidth(this, true, width);
}

void answerRadioButton::paintEvent(QPaintEvent *)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    wrappedButton::paint(this, option, true);
}

bool answerRadioButton::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}
