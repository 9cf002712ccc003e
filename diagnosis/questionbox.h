#ifndef QUESTIONBOX_H
#define QUESTIONBOX_H

#include <QFrame>
#include <QList>
#include <QStringList>

class QAbstractButton;
class QLabel;
class answerFilter;
struct questionList;

// One question of a consultation page: its title (wrapped) over one button
// per visible answer, radio buttons when one answer at most may be given,
// check boxes otherwise; in two columns for a grid question. An exclusive
// question with a cannot-tell key gets one more radio button, checked at the
// start, whose object name is empty.
class questionBox : public QFrame
{
    Q_OBJECT
public:
    questionBox(const questionList &question, const answerFilter &filter, QWidget *parent = nullptr);

    QString title() const;
    bool exclusive() const { return m_exclusive; }
    // Every button of the box in order, the cannot-tell choice last.
    const QList<QAbstractButton *> &buttons() const { return m_buttons; }
    QAbstractButton *cannotTellButton() const { return m_cannotTell; }

    // The object names of the checked buttons: answer ids, and an empty id
    // for the cannot-tell choice.
    QStringList checkedIds() const;

private:
    QLabel *m_title = nullptr;
    bool m_exclusive = false;
    QList<QAbstractButton *> m_buttons;
    QAbstractButton *m_cannotTell = nullptr;
};

#endif
