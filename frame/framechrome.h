#ifndef FRAMECHROME_H
#define FRAMECHROME_H

#include <QPoint>

class QLabel;
class QLayout;
class QMouseEvent;
class QVBoxLayout;
class QWidget;

// What every frameless page and dialog of the program shares: the outer
// layout with its title row, the skinned painting and dragging by any point.
class frameChrome
{
public:
    explicit frameChrome(QWidget *owner);

    void setTitle(const QString &title);
    QString title() const;
    void addContent(QWidget *widget);
    void addContent(QLayout *layout);

    void paint();
    void mousePress(QMouseEvent *event);
    void mouseMove(QMouseEvent *event);
    void mouseRelease();

private:
    QWidget *m_owner;
    QVBoxLayout *m_layout = nullptr;
    QLabel *m_title = nullptr;
    QPoint m_dragOffset;
    bool m_dragging = false;
};

// A solid white background, filled automatically.
void setWhiteBackground(QWidget *widget);

#endif
