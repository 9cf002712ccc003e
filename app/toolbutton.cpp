#include "toolbutton.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionToolButton>

toolButton::toolButton(const QString &icon, QWidget *parent)
    : QToolButton(parent)
{
    setIcon(QIcon(icon));
    setIconSize(QSize(48, 48));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(86, 76);
    QPalette pal = palette();
    pal.setColor(QPalette::ButtonText, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);
}

void toolButton::setSelected(bool selected)
{
    m_selected = selected;
    update();
}

void toolButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
    event->accept();
}

void toolButton::enterEvent(QEnterEvent *event)
{
    m_hover = true;
    update();
    QToolButton::enterEvent(event);
}

void toolButton::leaveEvent(QEvent *event)
{
    m_hover = false;
    update();
    QToolButton::leaveEvent(event);
}

void toolButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_hover || m_selected) {
        QLinearGradient g(rect().topLeft(), rect().bottomLeft());
        g.setColorAt(0, QColor(230, 230, 230, 0));
        g.setColorAt(0.5, QColor(230, 230, 230, 100));
        g.setColorAt(1, QColor(230, 230, 230, 150));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRect(rect());
    }
    QStyleOptionToolButton opt;
    initStyleOption(&opt);
    opt.state &= ~(QStyle::State_MouseOver | QStyle::State_Sunken | QStyle::State_On);
    opt.palette.setColor(QPalette::ButtonText, Qt::white);
    opt.rect = rect().adjusted(0, 4, 0, -3);
    style()->drawControl(QStyle::CE_ToolButtonLabel, &opt, &p, this);
}
