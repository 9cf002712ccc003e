#ifndef BROWSERLIST_H
#define BROWSERLIST_H

#include <QStringList>
#include <QTableWidget>

// A one-column list of names as the browser pages show them: whole-row single
// selection, read-only, no grid, hover tracking, drawn by lineDelegate.
class browserList : public QTableWidget
{
    Q_OBJECT
public:
    browserList(const QString &header, const QStringList &names, QWidget *parent = nullptr);

    QString textAt(int row) const;
    // The first row whose text equals name; -1 when none.
    int rowOf(const QString &name) const;

signals:
    void clickItem(int row);
};

#endif
