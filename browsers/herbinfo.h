#ifndef HERBINFO_H
#define HERBINFO_H

#include <QWidget>

class QLineEdit;
class herbInfoWidget;
class herbListWidget;

// The herb browser page: a herb's record beside the list of all herbs and a
// search field that accepts names and aliases.
class herbInfo : public QWidget
{
    Q_OBJECT
public:
    explicit herbInfo(QWidget *parent = nullptr);

    herbInfoWidget *view() const { return m_view; }
    herbListWidget *list() const { return m_list; }
    QLineEdit *searchField() const { return m_search; }

public slots:
    void onClickHerbList(int row, int column);
    void onClickSearch();

private:
    herbInfoWidget *m_view = nullptr;
    herbListWidget *m_list = nullptr;
    QLineEdit *m_search = nullptr;
};

#endif
