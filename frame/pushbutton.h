#ifndef PUSHBUTTON_H
#define PUSHBUTTON_H

#include <QPixmap>
#include <QPushButton>

// A window button drawn from a picture, with its own hover and pressed looks.
class pushButton : public QPushButton
{
    Q_OBJECT
public:
    explicit pushButton(const QString &picture, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
    bool m_hover = false;
};

#endif
