#include "framechrome.h"

#include "framepainter.h"
#include "titlerow.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

frameChrome::frameChrome(QWidget *owner)
    : m_owner(owner)
{
    m_layout = new QVBoxLayout(owner);
    m_layout->setSpacing(0);
    m_layout->setContentsMargins(2, 2, 2, 2);
    m_title = addTitleRow(m_layout, owner);
    m_layout->addStretch();
}

void frameChrome::setTitle(const QString &title)
{
    m_title->setText(title);
    m_title->setStyleSheet(QStringLiteral("color:white;"));
    m_owner->setWindowTitle(title);
}

QString frameChrome::title() const
{
    return m_title->text();
}

void frameChrome::addContent(QWidget *widget)
{
    m_layout->insertWidget(m_layout->count() - 1, widget, 1);
}

void frameChrome::addContent(QLayout *layout)
{
    m_layout->insertLayout(m_layout->count() - 1, layout, 1);
}

void frameChrome::paint()
{
    paintSkinnedFrame(m_owner, 30, true);
}

void frameChrome::mousePress(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - m_owner->pos();
    }
}

void frameChrome::mouseMove(QMouseEvent *event)
{
    if (m_dragging)
        m_owner->move(event->globalPosition().toPoint() - m_dragOffset);
}

void frameChrome::mouseRelease()
{
    m_dragging = false;
}

void setWhiteBackground(QWidget *widget)
{
    QPalette pal = widget->palette();
    pal.setBrush(QPalette::Window, QBrush(Qt::white));
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}
