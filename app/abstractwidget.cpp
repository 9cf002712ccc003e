#include "abstractwidget.h"

#include "framepainter.h"
#include "titlerow.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

abstractWidget::abstractWidget(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setSpacing(0);
    m_layout->setContentsMargins(2, 2, 2, 2);
    m_title = addTitleRow(m_layout, this);
    m_layout->addStretch();
}

void abstractWidget::setTitle(const QString &title)
{
    m_title->setText(title);
    m_title->setStyleSheet(QStringLiteral("color:white;"));
    setWindowTitle(title);
}

QString abstractWidget::title() const
{
    return m_title->text();
}

void abstractWidget::addContent(QWidget *widget)
{
    m_layout->insertWidget(m_layout->count() - 1, widget, 1);
}

void abstractWidget::addContent(QLayout *layout)
{
    m_layout->insertLayout(m_layout->count() - 1, layout, 1);
}

void abstractWidget::setWhiteBackground()
{
    QPalette pal = palette();
    pal.setBrush(QPalette::Window, QBrush(Qt::white));
    setPalette(pal);
    setAutoFillBackground(true);
}

void abstractWidget::paintEvent(QPaintEvent *)
{
    paintSkinnedFrame(this, 30, true);
}

void abstractWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - pos();
    }
    QWidget::mousePressEvent(event);
}

void abstractWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        move(event->globalPosition().toPoint() - m_dragOffset);
    QWidget::mouseMoveEvent(event);
}

void abstractWidget::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}
