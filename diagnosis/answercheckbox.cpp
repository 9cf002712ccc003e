#include "answercheckbox.h"

#include "wrappedbutton.h"

#include <QStyleOptionButton>

answerCheckBox::answerCheckBox(const QString &text, QWidget *parent)
    : QCheckBox(text, parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QSize answerCheckBox::sizeHint() const
{
    return wrappedButton::sizeHint(this, false);
}

QSize answerCheckBox::minimumSizeHint() const
{
    return wrappedButton::minimumSizeHint(this, false);
}

int answerCheckBox::heightForWidth(int width) const
{
    return wrappedButton::heightForWidth(this, false, width);
}

void answerCheckBox::paintEvent(QPaintEvent *)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    wrappedButton::paint(this, option, false);
}

bool answerCheckBox::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}
