#ifndef ABSTRACTWIDGET_H
#define ABSTRACTWIDGET_H

#include <QPoint>
#include <QWidget>

class QLabel;
class QLayout;
class QVBoxLayout;

// Base of the program's frameless pages: a skinned 30-pixel title row with a
// close button, a white body, a gray frame; dragged by any point.
class abstractWidget : public QWidget
{
    Q_OBJECT
public:
    explicit abstractWidget(QWidget *parent = nullptr);

    void setTitle(const QString &title);
    QString title() const;

protected:
    void addContent(QWidget *widget);
    void addContent(QLayout *layout);
    void setWhiteBackground();

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QVBoxLayout *m_layout = nullptr;
    QLabel *m_title = nullptr;
    QPoint m_dragOffset;
    bool m_dragging = false;
};

#endif
