#ifndef PAIRINFO_H
#define PAIRINFO_H

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class pairListWidget;

// The pair browser page: every pair of a herb, or one pair given by its two
// herbs ("a,b").
class pairInfo : public QWidget
{
    Q_OBJECT
public:
    explicit pairInfo(QWidget *parent = nullptr);

    QPlainTextEdit *report() const { return m_report; }
    pairListWidget *list() const { return m_list; }
    QLineEdit *searchField() const { return m_search; }

public slots:
    void onClickHerbList(int row, int column);
    void onClickSearch();

private:
    QPlainTextEdit *m_report = nullptr;
    pairListWidget *m_list = nullptr;
    QLineEdit *m_search = nullptr;
};

#endif
