#ifndef ANSWERCHECKBOX_H
#define ANSWERCHECKBOX_H

#include <QCheckBox>

// A check box for one answer of a question; a long caption wraps
// onto further lines instead of being cut off. Its object name is the
// answer id.
class answerCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    explicit answerCheckBox(const QString &text, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};

#endif
