#ifndef SEARCHWIDGET_H
#define SEARCHWIDGET_H

#include "frame/abstractdialog.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The data search window: acupoints by name, syndromes by symptom, folk
// remedies by complaint (with the categories of complaints beside them).
class searchWidget : public abstractDialog
{
    Q_OBJECT
public:
    explicit searchWidget(QWidget *parent = nullptr);

    QLineEdit *input() const { return m_input; }
    QPlainTextEdit *result() const { return m_result; }
    QTreeWidget *categories() const { return m_categories; }
    QPushButton *modeButton(int mode) const;

public slots:
    void setupForAcupoint();
    void setupForSymptom();
    void setupForFolk();
    void onSearch();
    void onCategoryClicked(QTreeWidgetItem *item, int column);

private:
    void setWords(const QStringList &words);

    QLineEdit *m_input = nullptr;
    QPlainTextEdit *m_result = nullptr;
    QTreeWidget *m_categories = nullptr;
    QPushButton *m_acupoint = nullptr;
    QPushButton *m_symptom = nullptr;
    QPushButton *m_folk = nullptr;
};

#endif
