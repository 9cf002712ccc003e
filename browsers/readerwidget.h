#ifndef READERWIDGET_H
#define READERWIDGET_H

#include "frame/abstractdialog.h"

class QPlainTextEdit;

// The daily reader: one formula verse or classical saying at a time.
class readerWidget : public abstractDialog
{
    Q_OBJECT
public:
    explicit readerWidget(QWidget *parent = nullptr);

    int currentIndex() const { return m_current; }
    QPlainTextEdit *view() const { return m_view; }

    // How a text of the pool is shown (verses line by line).
    static QString displayText(int index);

public slots:
    void onNext();

private:
    void showCurrent();

    QPlainTextEdit *m_view = nullptr;
    int m_current = -1;
};

#endif
