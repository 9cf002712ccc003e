#ifndef TOOLBUTTON_H
#define TOOLBUTTON_H

#include <QToolButton>

// A page button of the title bar: icon over caption, a soft highlight when
// hovered or selected; it reacts on press, not on release.
class toolButton : public QToolButton
{
    Q_OBJECT
public:
    toolButton(const QString &icon, QWidget *parent = nullptr);

    void setSelected(bool selected);
    bool isSelected() const { return m_selected; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_hover = false;
    bool m_selected = false;
};

#endif
