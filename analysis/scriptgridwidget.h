#ifndef SCRIPTGRIDWIDGET_H
#define SCRIPTGRIDWIDGET_H

#include <QStringList>
#include <QWidget>

class QLabel;
class QTableWidget;

// A square matrix of a prescription's herbs in which every pair of herbs
// that forms a known pair is marked; a click on a mark tells what it does.
class scriptGridWidget : public QWidget
{
    Q_OBJECT
public:
    explicit scriptGridWidget(QWidget *parent = nullptr);

    void setHerbs(const QStringList &herbs);
    const QStringList &herbs() const { return m_herbs; }
    QTableWidget *table() const { return m_table; }
    QLabel *label() const { return m_label; }

    // Fills the grid from a prescription file; false, with a message and the
    // grid left as it was, when the file cannot be read or is refused.
    bool importFile(const QString &path);

signals:
    void sendBack();

public slots:
    void onBack();
    void onClickCell(int row, int column);
    void onImport();

private:
    void build(const QColor &diagonal);

    QStringList m_herbs;
    QTableWidget *m_table = nullptr;
    QLabel *m_label = nullptr;
};

#endif
