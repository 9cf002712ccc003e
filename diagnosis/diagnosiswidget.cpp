#include "diagnosiswidget.h"

#include "codenames.h"
#include "diagnosisnode.h"
#include "diagnosisunitwidget.h"
#include "frame/framechrome.h"
#include "patientrecord.h"
#include "patwidget.h"
#include "rundiagnosis.h"
#include "text/phrasedictionary.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPropertyAnimation>
#include <QSignalTransition>
#include <QState>
#include <QStateMachine>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QString phrase(const char *key)
{
    return lookupPhrase(QStringLiteral("diagnosis"), QLatin1String(key));
}

QLabel *paneCaption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color:#2f6470; font-weight:bold;"));
    label->setWordWrap(true);
    return label;
}

// The nominal size of the page area; the pages always fill the area as it is.
constexpr int stageWidth = 650;
constexpr int stageHeight = 490;

} // namespace

diagnosisWidget::diagnosisWidget(QWidget *parent)
    : QWidget(parent)
{
    setWhiteBackground(this);
    diagnosisNode::instance().reset();

    m_stage = new QWidget(this);
    m_stage->setObjectName(QStringLiteral("pageArea"));
    m_stage->setMinimumSize(480, 360);
    m_stage->resize(stageWidth, stageHeight);
    m_stage->installEventFilter(this);
    m_pageA = new diagnosisUnitWidget(m_stage);
    m_pageB = new diagnosisUnitWidget(m_stage);
    m_pageA->setObjectName(QStringLiteral("pageA"));
    m_pageB->setObjectName(QStringLiteral("pageB"));
    m_patient = new patWidget(m_stage);
    m_patient->hide();

    // Beside the pages: what the complaint or group is about, and the history.
    auto *side = new QWidget(this);
    side->setObjectName(QStringLiteral("sidePane"));
    side->setFixedWidth(192);
    m_descriptionCaption = paneCaption(phrase("mainsuit_desc"), side);
    m_description = new QTextBrowser(side);
    m_description->setObjectName(QStringLiteral("descriptionPane"));
    m_description->setOpenLinks(false);
    m_description->document()->setDocumentMargin(6);
    m_history = new QPlainTextEdit(side);
    m_history->setObjectName(QStringLiteral("historyPane"));
    m_history->setReadOnly(true);
    m_history->document()->setDocumentMargin(6);
    for (QWidget *pane : {static_cast<QWidget *>(m_description), static_cast<QWidget *>(m_history)})
        pane->setStyleSheet(QStringLiteral("background-color:#f5f9f9; border:1px solid #d3dfe1;"));
    auto *sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 10, 10, 10);
    sideLayout->setSpacing(6);
    sideLayout->addWidget(m_descriptionCaption);
    sideLayout->addWidget(m_description, 1);
    sideLayout->addSpacing(4);
    sideLayout->addWidget(paneCaption(phrase("history"), side));
    sideLayout->addWidget(m_history, 1);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_stage, 1);
    layout->addWidget(side);

    // Page A in sight in the first state, page B in the second; each change
    // slides both over 1200 ms.
    m_machine = new QStateMachine(this);
    m_first = new QState(m_machine);
    m_second = new QState(m_machine);
    assignGeometries();
    m_slideA = new QPropertyAnimation(m_pageA, "geometry", this);
    m_slideB = new QPropertyAnimation(m_pageB, "geometry", this);
    for (QPropertyAnimation *a : {m_slideA, m_slideB}) {
        a->setDuration(1200);
        a->setEasingCurve(QEasingCurve::Linear);
    }
    QSignalTransition *forward = m_first->addTransition(this, &diagnosisWidget::triggeredStart, m_second);
    forward->addAnimation(m_slideA);
    forward->addAnimation(m_slideB);
    QSignalTransition *back = m_second->addTransition(this, &diagnosisWidget::triggeredNext, m_first);
    back->addAnimation(m_slideA);
    back->addAnimation(m_slideB);
    m_machine->setInitialState(m_first);
    m_machine->start();

    for (diagnosisUnitWidget *unit : {m_pageA, m_pageB}) {
        connect(unit, &diagnosisUnitWidget::onSender, this, &diagnosisWidget::onDo);
        connect(unit, &diagnosisUnitWidget::onSenderCancel, this, &diagnosisWidget::doCancel);
        connect(unit, qOverload<const QString &, const QString &>(&diagnosisUnitWidget::onSenderData), this,
                &diagnosisWidget::onDoMainSuit);
        connect(unit, &diagnosisUnitWidget::onSenderStart, this, &diagnosisWidget::onStart);
        connect(unit, qOverload<const QVector<QString> &>(&diagnosisUnitWidget::onSenderData), this,
                &diagnosisWidget::onRefreshHistoryTips);
    }

    m_pageA->buildStartPage(m_patient);
    placePages();
}

diagnosisUnitWidget *diagnosisWidget::currentPage() const
{
    return m_front == 0 ? m_pageA : m_pageB;
}

diagnosisUnitWidget *diagnosisWidget::hiddenPage() const
{
    return m_front == 0 ? m_pageB : m_pageA;
}

QString diagnosisWidget::descriptionCaption() const
{
    return m_descriptionCaption->text();
}

void diagnosisWidget::assignGeometries()
{
    const int w = m_stage->width();
    const int h = m_stage->height();
    m_first->assignProperty(m_pageA, "geometry", QRect(0, 0, w, h));
    m_first->assignProperty(m_pageB, "geometry", QRect(0, h, w, 0));
    m_second->assignProperty(m_pageA, "geometry", QRect(0, 0, w, 0));
    m_second->assignProperty(m_pageB, "geometry", QRect(0, 0, w, h));
}

void diagnosisWidget::placePages()
{
    const int w = m_stage->width();
    const int h = m_stage->height();
    diagnosisUnitWidget *front = currentPage();
    diagnosisUnitWidget *back = hiddenPage();
    front->setGeometry(0, 0, w, h);
    if (back == m_pageA)
        back->setGeometry(0, 0, w, 0);
    else
        back->setGeometry(0, h, w, 0);
}

bool diagnosisWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_stage && event->type() == QEvent::Resize) {
        assignGeometries();
        const bool sliding = m_slideA->state() == QAbstractAnimation::Running ||
                             m_slideB->state() == QAbstractAnimation::Running;
        if (!sliding)
            placePages();
    }
    return QWidget::eventFilter(watched, event);
}

void diagnosisWidget::swapPages()
{
    const bool toSecond = m_front == 0;
    m_front = toSecond ? 1 : 0;
    currentPage()->raise();
    if (toSecond)
        emit triggeredStart();
    else
        emit triggeredNext();
}

void diagnosisWidget::restart()
{
    diagnosisNode::instance().reset();
    m_history->clear();
    m_descriptionCaption->setText(phrase("mainsuit_desc"));
    hiddenPage()->buildStartPage(m_patient);
    swapPages();
}

void diagnosisWidget::onDo(const QString &)
{
    diagnosisNode &node = diagnosisNode::instance();
    const int index = node.nextPageIndex();
    if (index < 0) {
        runDiagnosis(this, node.mainsuit(), node.answers());
        restart();
        return;
    }
    const QString id = node.groupIdAt(index);
    diagnosisUnitWidget *next = hiddenPage();
    next->buildGroupPage(id);
    // The chooser is no questionnaire page of its own: the count starts after it.
    if (id != QLatin1String("888")) {
        next->setStep(index, int(node.groupQueue().size()) - 1);
        next->setLastPage(!node.morePagesQueued());
    }
    const questionGroup *group = node.group(id);
    m_descriptionCaption->setText(group ? group->name : id);
    m_description->setPlainText(group ? group->comment : QString());
    swapPages();
}

void diagnosisWidget::doCancel()
{
    restart();
}

void diagnosisWidget::onDoMainSuit(const QString &, const QString &description)
{
    m_description->setPlainText(description);
}

void diagnosisWidget::onStart()
{
    const QString mainsuit = diagnosisNode::instance().mainsuit();
    m_history->setPlainText(patientRecord::summary() + phrase("main_suit") + QStringLiteral(" - ") +
                            lookupCodeName(mainsuit) + QLatin1Char('\n'));
}

void diagnosisWidget::onRefreshHistoryTips(const QVector<QString> &ids)
{
    const diagnosisNode &node = diagnosisNode::instance();
    for (const QString &id : ids) {
        if (id.section(QLatin1Char('-'), 0, 0) == QLatin1String("888"))
            continue;
        const questionList *question = nullptr;
        const questionItem *item = node.findAnswer(id, &question);
        if (!item || !question)
            continue;
        m_history->appendPlainText(QStringLiteral("%1-%2").arg(question->title, item->name));
    }
    // The latest answers in sight.
    m_history->moveCursor(QTextCursor::End);
    m_history->ensureCursorVisible();
}
