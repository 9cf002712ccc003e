#ifndef DIAGNOSISWIDGET_H
#define DIAGNOSISWIDGET_H

#include <QVector>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPropertyAnimation;
class QState;
class QStateMachine;
class QTextBrowser;
class diagnosisUnitWidget;
class patWidget;

// The diagnosis page of the main window: leads through one consultation,
// from the patient profile and main complaint over the group chooser and the
// chosen questionnaire groups to the result. Two page widgets take turns,
// the next page sliding in over the last; beside them the description of
// the complaint or group and the history of what has been answered.
class diagnosisWidget : public QWidget
{
    Q_OBJECT
public:
    explicit diagnosisWidget(QWidget *parent = nullptr);

    // The page in sight, and the one that builds the next page.
    diagnosisUnitWidget *currentPage() const;
    diagnosisUnitWidget *hiddenPage() const;
    diagnosisUnitWidget *page(int index) const { return index == 0 ? m_pageA : m_pageB; }
    patWidget *patient() const { return m_patient; }
    QPlainTextEdit *history() const { return m_history; }
    QTextBrowser *description() const { return m_description; }
    QString descriptionCaption() const;
    bool showingSecond() const { return m_front == 1; }

signals:
    void triggeredStart();
    void triggeredNext();

public slots:
    void onDo(const QString &groupId);
    void doCancel();
    void onDoMainSuit(const QString &code, const QString &description);
    void onStart();
    void onRefreshHistoryTips(const QVector<QString> &ids);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void restart();
    void swapPages();
    void assignGeometries();
    void placePages();

    QWidget *m_stage = nullptr;
    diagnosisUnitWidget *m_pageA = nullptr;
    diagnosisUnitWidget *m_pageB = nullptr;
    int m_front = 0;
    patWidget *m_patient = nullptr;
    QLabel *m_descriptionCaption = nullptr;
    QTextBrowser *m_description = nullptr;
    QPlainTextEdit *m_history = nullptr;
    QStateMachine *m_machine = nullptr;
    QState *m_first = nullptr;
    QState *m_second = nullptr;
    QPropertyAnimation *m_slideA = nullptr;
    QPropertyAnimation *m_slideB = nullptr;
};

#endif
