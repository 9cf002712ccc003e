#ifndef DIAGNOSISTAB_H
#define DIAGNOSISTAB_H

#include <QStringList>
#include <QTabWidget>

class QPushButton;

// The main complaint chooser: one tab per department, one button per
// complaint. Each tab remembers the complaint last chosen in it; choosing a
// complaint or changing the tab selects that department and complaint in the
// diagnosis engine and announces the complaint with its description.
class diagnosisTab : public QTabWidget
{
    Q_OBJECT
public:
    explicit diagnosisTab(QWidget *parent = nullptr);

    QString rememberedComplaint(int tab) const { return m_remembered.value(tab); }
    // The button of a complaint in the current tab or any other; null when
    // there is none.
    QPushButton *complaintButton(const QString &code) const;

signals:
    void senderData(const QString &code, const QString &description);

public slots:
    void setCurrentTab(int index);
    void selectMainSuit(const QString &code);

private:
    QStringList m_remembered;
    QList<QList<QPushButton *>> m_buttons;
};

#endif
