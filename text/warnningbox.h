#ifndef WARNNINGBOX_H
#define WARNNINGBOX_H

#include "frame/abstractdialog.h"

class QLabel;

// The program's one message box: an icon, the message and a close button.
// It only informs; it returns no choice.
class warnningBox : public abstractDialog
{
    Q_OBJECT
public:
    explicit warnningBox(const QString &text, QWidget *parent = nullptr);

    QString text() const;

private:
    QLabel *m_text = nullptr;
};

// Shows a warnningBox modally.
void showWarning(const QString &text, QWidget *parent);

#endif
