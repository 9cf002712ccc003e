#include "abstractwidget.h"

#include <QMouseEvent>

abstractWidget::abstractWidget(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_chrome(this)
{
}

void abstractWidget::paintEvent(QPaintEvent *)
{
    m_chrome.paint();
}

void abstractWidget::mousePressEvent(QMouseEvent *event)
{
    m_chrome.mousePress(event);
    QWidget::mousePressEvent(event);
}

void abstractWidget::mouseMoveEvent(QMouseEvent *event)
{
    m_chrome.mouseMove(event);
    QWidget::mouseMoveEvent(event);
}

void abstractWidget::mouseReleaseEvent(QMouseEvent *event)
{
    m_chrome.mouseRelease();
    QWidget::mouseReleaseEvent(event);
}
