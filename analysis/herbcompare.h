#ifndef HERBCOMPARE_H
#define HERBCOMPARE_H

#include "frame/abstractdialog.h"

class QLineEdit;
class QPlainTextEdit;

// Two herbs side by side: description, nature and meridians, functions,
// indications and cautions.
class herbCompare : public abstractDialog
{
    Q_OBJECT
public:
    explicit herbCompare(QWidget *parent = nullptr);

    struct column
    {
        QLineEdit *name = nullptr;
        QPlainTextEdit *desc = nullptr;
        QPlainTextEdit *guijing = nullptr;
        QPlainTextEdit *function = nullptr;
        QPlainTextEdit *target = nullptr;
        QPlainTextEdit *taboo = nullptr;
    };
    const column &left() const { return m_columns[0]; }
    const column &right() const { return m_columns[1]; }

public slots:
    void pressOK1();
    void pressOK2();

private:
    QLayout *buildColumn(column &c, int number);
    void fill(column &c);

    column m_columns[2];
};

#endif
