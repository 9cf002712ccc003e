#ifndef ABSTRACTDIALOG_H
#define ABSTRACTDIALOG_H

#include "framechrome.h"

#include <QDialog>

// Base of the program's frameless dialogs: a skinned 30-pixel title row with
// a close button, a white body, a gray frame; dragged by any point.
class abstractDialog : public QDialog
{
    Q_OBJECT
public:
    explicit abstractDialog(QWidget *parent = nullptr);

    void setTitle(const QString &title) { m_chrome.setTitle(title); }
    QString title() const { return m_chrome.title(); }

protected:
    void addContent(QWidget *widget) { m_chrome.addContent(widget); }
    void addContent(QLayout *layout) { m_chrome.addContent(layout); }
    void setWhiteBackground() { ::setWhiteBackground(this); }

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    frameChrome m_chrome;
};

#endif
