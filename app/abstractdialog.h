#ifndef ABSTRACTDIALOG_H
#define ABSTRACTDIALOG_H

#include <QDialog>
#include <QPoint>

class QLabel;
class QVBoxLayout;
class QLayout;

// Base of the program's frameless dialogs: a skinned 30-pixel title row with a
// close button, a white body, a gray frame; dragged by any point.
class abstractDialog : public QDialog
{
    Q_OBJECT
public:
    explicit abstractDialog(QWidget *parent = nullptr);

    void setTitle(const QString &title);
    QString title() const;

protected:
    // Places the subclass content in the body.
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
