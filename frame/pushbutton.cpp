#include "pushbutton.h"

#include <QPainter>

pushButton::pushButton(const QString &picture, QWidget *parent)
    : QPushButton(parent)
    , m_picture(picture)
{
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(sizeHint());
}

QSize pushButton::sizeHint() const
{
    return m_picture.isNull() ? QSize(27, 22) : m_picture.size();
}

void pushButton::enterEvent(QEnterEvent *event)
{
    m_hover = true;
    update();
    QPushButton::enterEvent(event);
}

void pushButton::leaveEvent(QEvent *event)
{
    m_hover = false;
    update();
    QPushButton::leaveEvent(event);
}

void pushButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (isDown()) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawRoundedRect(rect().adjusted(1, 1, -1, -1), 3, 3);
    } else if (m_hover) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 70));
        p.drawRoundedRect(rect().adjusted(1, 1, -1, -1), 3, 3);
    }
    if (!m_picture.isNull()) {
        const QPoint at((width() - m_picture.width()) / 2, (height() - m_picture.height()) / 2);
        p.drawPixmap(at + (isDown() ? QPoint(0, 1) : QPoint()), m_picture);
    }
}
