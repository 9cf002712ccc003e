#ifndef DIAGNOSISUNITWIDGET_H
#define DIAGNOSISUNITWIDGET_H

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QVector>
#include <QWidget>

class QAbstractButton;
class QLabel;
class QPushButton;
class QTableWidget;
class QVBoxLayout;
class diagnosisTab;
class patWidget;
class questionBox;

// One page of a consultation: the start page (patient profile and main
// complaint), the group chooser "888" or the page of one questionnaire
// group (its questions, or two tables for a table group). Confirming the
// page collects its answers and hands them on.
class diagnosisUnitWidget : public QWidget
{
    Q_OBJECT
public:
    explicit diagnosisUnitWidget(QWidget *parent = nullptr);

    // The start page shows the given patient profile beside a fresh
    // complaint chooser.
    void buildStartPage(patWidget *patient);
    // The page of a questionnaire group; a group that is not loaded gives a
    // page without questions.
    void buildGroupPage(const QString &groupId);
    // "Page k of n" in the header; nothing when pages is 0.
    void setStep(int page, int pages);
    // The confirm button of the last page leads to the result.
    void setLastPage(bool last);

    QString groupId() const { return m_groupId; }
    bool isStartPage() const { return m_start; }
    bool isTablePage() const { return m_table; }
    QString title() const;
    QString stepText() const;
    const QList<questionBox *> &questionBoxes() const { return m_boxes; }
    QAbstractButton *answerButton(const QString &id) const;
    diagnosisTab *complaintTab() const { return m_complaints; }
    QTableWidget *availableTable() const { return m_available; }
    QTableWidget *selectedTable() const { return m_selected; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *removeButton() const { return m_remove; }

    // The answers of the page: the rows chosen on a table page, otherwise
    // the object names of the checked buttons of every question.
    QStringList collectAnswers() const;

signals:
    void onSender(const QString &groupId);
    void onSenderCancel();
    void onSenderData(const QString &code, const QString &description);
    void onSenderStart();
    void onSenderData(const QVector<QString> &ids);

public slots:
    void onClick();
    void onCancel();
    void onTransmitData(const QString &code, const QString &description);
    void onTableAdd();
    void onTableRemove();
    void onClickCellAdd(int row, int column);
    void onClickCellRemove(int row, int column);

private:
    QWidget *freshContent();
    void buildQuestions(QWidget *content);
    void buildTables(QWidget *content);
    void moveRow(QTableWidget *from, int row, QTableWidget *to);

    QString m_groupId;
    bool m_start = false;
    bool m_table = false;
    QLabel *m_title = nullptr;
    QLabel *m_step = nullptr;
    QVBoxLayout *m_body = nullptr;
    QWidget *m_content = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_cancel = nullptr;
    QPointer<patWidget> m_patient;
    diagnosisTab *m_complaints = nullptr;
    QList<questionBox *> m_boxes;
    QTableWidget *m_available = nullptr;
    QTableWidget *m_selected = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_remove = nullptr;
    int m_availableRow = -1;
    int m_selectedRow = -1;
};

#endif
