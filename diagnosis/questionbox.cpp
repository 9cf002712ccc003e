#include "questionbox.h"

#include "answercheckbox.h"
#include "answerfilter.h"
#include "answerradiobutton.h"
#include "questionlist.h"
#include "text/phrasedictionary.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

questionBox::questionBox(const questionList &question, const answerFilter &filter, QWidget *parent)
    : QFrame(parent), m_exclusive(question.exclusive)
{
    setObjectName(QStringLiteral("questionBox"));
    setStyleSheet(QStringLiteral("#questionBox { background-color:#f5f9f9; border:1px solid #d3dfe1;"
                                 " border-radius:5px; }"));

    m_title = new QLabel(question.title, this);
    m_title->setObjectName(QStringLiteral("questionTitle"));
    m_title->setWordWrap(true);
    m_title->setTextFormat(Qt::PlainText);
    m_title->setStyleSheet(QStringLiteral("color:#2f6470; font-weight:bold;"));

    auto *answers = new QGridLayout;
    answers->setHorizontalSpacing(16);
    answers->setVerticalSpacing(2);
    const int columns = question.grid ? 2 : 1;
    auto *group = m_exclusive ? new QButtonGroup(this) : nullptr;
    int at = 0;
    for (const questionItem *item : filter.visibleAnswers(question)) {
        QAbstractButton *button = nullptr;
        if (m_exclusive) {
            button = new answerRadioButton(item->buttonText(), this);
            group->addButton(button);
        } else {
            button = new answerCheckBox(item->buttonText(), this);
            if (filter.answerLocked(*item)) {
                button->setChecked(true);
                button->setEnabled(false);
                // Fixed, but its caption as readable as the others.
                button->setProperty("locked", true);
                button->setToolTip(lookupPhrase(QStringLiteral("diagnosis"), QStringLiteral("locked_answer")));
            }
        }
        button->setObjectName(item->id);
        answers->addWidget(button, at / columns, at % columns);
        m_buttons << button;
        ++at;
    }
    if (m_exclusive && !question.unselect.isEmpty()) {
        m_cannotTell = new answerRadioButton(lookupPhrase(QStringLiteral("diagnosis"), question.unselect), this);
        m_cannotTell->setObjectName(QString());
        m_cannotTell->setChecked(true);
        group->addButton(m_cannotTell);
        const int row = (at + columns - 1) / columns;
        answers->addWidget(m_cannotTell, row, 0, 1, columns);
        m_buttons << m_cannotTell;
    }
    for (int c = 0; c < columns; ++c)
        answers->setColumnStretch(c, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 10);
    layout->setSpacing(6);
    layout->addWidget(m_title);
    layout->addLayout(answers);
}

QString questionBox::title() const
{
    return m_title->text();
}

QStringList questionBox::checkedIds() const
{
    QStringList ids;
    for (const QAbstractButton *b : m_buttons) {
        if (b->isChecked())
            ids << b->objectName();
    }
    return ids;
}
