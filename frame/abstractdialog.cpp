#include "abstractdialog.h"

#include <QMouseEvent>

abstractDialog::abstractDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_chrome(this)
{
}

void abstractDialog::paintEvent(QPaintEvent *)
{
    m_chrome.paint();
}

void abstractDialog::mousePressEvent(QMouseEvent *event)
{
    m_chrome.mousePress(event);
    QDialog::mousePressEvent(event);
}

void abstractDialog::mouseMoveEvent(QMouseEvent *event)
{
    m_chrome.mouseMove(event);
    QDialog::mouseMoveEvent(event);
}

void abstractDialog::mouseReleaseEvent(QMouseEvent *event)
{
    m_chrome.mouseRelease();
    QDialog::mouseReleaseEvent(event);
}
