#include "abstractdialog.h"

#include "framepainter.h"
#include "titlerow.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

abstractDialog::abstractDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setSpacing(0);
    m_layout->setContentsMargins(2, 2, 2, 2);
    m_title = addTitleRow(m_layout, this);
    m_layout->addStretch();
}

void abstractDialog::setTitle(const QString &title)
{
    m_title->setText(title);
    m_title->setStyleSheet(QStringLiteral("color:white;"));
    setWindowTitle(title);
}

QString abstractDialog::title() const
{
    return m_title->text();
}

void abstractDialog::addContent(QWidget *widget)
{
    m_layout->insertWidget(m_layout->count() - 1, widget, 1);
}

void abstractDialog::addContent(QLayout *layout)
{
    m_layout->insertLayout(m_layout->count() - 1, layout, 1);
}

void abstractDialog::setWhiteBackground()
{
    QPalette pal = palette();
    pal.setBrush(QPalette::Window, QBrush(Qt::white));
    setPalette(pal);
    setAutoFillBackground(true);
}

void abstractDialog::paintEvent(QPaintEvent *)
{
    paintSkinnedFrame(this, 30, true);
}

void abstractDialog::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - pos();
    }
    QDialog::mousePressEvent(event);
}

void abstractDialog::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        move(event->globalPosition().toPoint() - m_dragOffset);
    QDialog::mouseMoveEvent(event);
}

void abstractDialog::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    QDialog::mouseReleaseEvent(event);
}
