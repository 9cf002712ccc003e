#include "diagnosisunitwidget.h"

#include "answerfilter.h"
#include "diagnoseinfodlg.h"
#include "diagnosisinference.h"
#include "diagnosisnode.h"
#include "diagnosistab.h"
#include "frame/framechrome.h"
#include "patwidget.h"
#include "questionbox.h"
#include "text/phrasedictionary.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString phrase(const char *block, const char *key)
{
    return lookupPhrase(QLatin1String(block), QLatin1String(key));
}

QLabel *sectionCaption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color:#2f6470; font-weight:bold;"));
    return label;
}

QTableWidget *answerTable(const QString &caption, QWidget *parent)
{
    auto *table = new QTableWidget(0, 1, parent);
    table->setHorizontalHeaderLabels({caption});
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->hide();
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(true);
    table->setAlternatingRowColors(true);
    return table;
}

} // namespace

diagnosisUnitWidget::diagnosisUnitWidget(QWidget *parent)
    : QWidget(parent)
{
    setWhiteBackground(this);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("pageTitle"));
    m_title->setWordWrap(true);
    m_title->setTextFormat(Qt::PlainText);
    QFont titleFont = m_title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_title->setStyleSheet(QStringLiteral("color:#2f6470;"));
    m_step = new QLabel(this);
    m_step->setObjectName(QStringLiteral("pageStep"));
    m_step->setStyleSheet(QStringLiteral("color:#7a8a8d;"));

    m_next = new QPushButton(this);
    m_next->setObjectName(QStringLiteral("nextButton"));
    m_next->setDefault(true);
    m_cancel = new QPushButton(phrase("diagnosis", "cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cancelButton"));
    m_cancel->setAutoDefault(false);
    for (QPushButton *b : {m_next, m_cancel})
        b->setMinimumSize(96, 30);

    auto *header = new QHBoxLayout;
    header->setSpacing(12);
    header->addWidget(m_title, 1);
    header->addWidget(m_step, 0, Qt::AlignRight | Qt::AlignVCenter);
    m_body = new QVBoxLayout;
    m_body->setContentsMargins(0, 0, 0, 0);
    auto *footer = new QHBoxLayout;
    footer->addStretch(1);
    footer->addWidget(m_cancel);
    footer->addWidget(m_next);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(8);
    layout->addLayout(header);
    layout->addLayout(m_body, 1);
    layout->addLayout(footer);

    connect(m_next, &QPushButton::clicked, this, &diagnosisUnitWidget::onClick);
    connect(m_cancel, &QPushButton::clicked, this, &diagnosisUnitWidget::onCancel);
}

QWidget *diagnosisUnitWidget::freshContent()
{
    // The patient profile outlives the start page it was shown on.
    if (m_patient && m_content && m_content->isAncestorOf(m_patient)) {
        m_patient->hide();
        m_patient->setParent(parentWidget());
    }
    delete m_content;
    m_boxes.clear();
    m_complaints = nullptr;
    m_available = m_selected = nullptr;
    m_add = m_remove = nullptr;
    m_availableRow = m_selectedRow = -1;
    m_start = false;
    m_table = false;
    m_groupId.clear();
    m_step->clear();
    m_content = new QWidget(this);
    m_body->addWidget(m_content);
    m_next->setEnabled(true);
    m_cancel->setEnabled(true);
    return m_content;
}

void diagnosisUnitWidget::buildStartPage(patWidget *patient)
{
    QWidget *content = freshContent();
    m_start = true;
    m_patient = patient;
    m_title->setText(phrase("diagnosis", "input_your_info"));
    m_next->setText(phrase("diagnosis", "start"));
    m_cancel->hide();

    auto *left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(sectionCaption(phrase("diagnosis", "patientinfo"), content));
    if (patient) {
        patient->setParent(content);
        patient->setFixedWidth(250);
        left->addWidget(patient, 1);
        patient->show();
    }

    auto *help = new QLabel(phrase("diagnosis", "what_is_main_suit"), content);
    help->setObjectName(QStringLiteral("mainsuitHelp"));
    help->setWordWrap(true);
    help->setStyleSheet(QStringLiteral("color:#56676a;"));
    m_complaints = new diagnosisTab(content);
    auto *right = new QVBoxLayout;
    right->setSpacing(6);
    right->addWidget(sectionCaption(phrase("diagnosis", "main_suit"), content));
    right->addWidget(help);
    right->addWidget(m_complaints, 1);

    auto *layout = new QHBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    connect(m_complaints, &diagnosisTab::senderData, this, &diagnosisUnitWidget::onTransmitData);
    // Announce the complaint the chooser starts with.
    m_complaints->setCurrentTab(m_complaints->currentIndex());
}

void diagnosisUnitWidget::buildGroupPage(const QString &groupId)
{
    QWidget *content = freshContent();
    m_groupId = groupId;
    m_cancel->show();
    m_next->setText(phrase("diagnosis", "next"));
    const questionGroup *group = diagnosisNode::instance().group(groupId);
    m_title->setText(phrase("diagnosis", "answer_for_1").arg(group ? group->name : groupId));
    m_table = group && group->tablelist;
    if (m_table)
        buildTables(content);
    else
        buildQuestions(content);
}

void diagnosisUnitWidget::buildQuestions(QWidget *content)
{
    auto *scroll = new QScrollArea(content);
    scroll->setObjectName(QStringLiteral("questionScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *inner = new QWidget(scroll);
    inner->setAutoFillBackground(true);
    inner->setBackgroundRole(QPalette::Base);
    auto *boxes = new QVBoxLayout(inner);
    boxes->setContentsMargins(0, 0, 6, 0);
    boxes->setSpacing(10);

    const diagnosisNode &node = diagnosisNode::instance();
    const answerFilter filter = answerFilter::forPatient(node.mainsuit());
    if (const questionGroup *group = node.group(m_groupId)) {
        for (const questionList &question : group->lists) {
            if (!filter.questionShown(question))
                continue;
            auto *box = new questionBox(question, filter, inner);
            boxes->addWidget(box);
            m_boxes << box;
        }
    }
    boxes->addStretch(1);
    scroll->setWidget(inner);

    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
}

void diagnosisUnitWidget::buildTables(QWidget *content)
{
    m_available = answerTable(phrase("misc", "miscinfo"), content);
    m_available->setObjectName(QStringLiteral("availableTable"));
    m_selected = answerTable(phrase("misc", "selected_info"), content);
    m_selected->setObjectName(QStringLiteral("selectedTable"));
    m_add = new QPushButton(phrase("diagnosis", "add"), content);
    m_add->setObjectName(QStringLiteral("addButton"));
    m_remove = new QPushButton(phrase("diagnosis", "remove"), content);
    m_remove->setObjectName(QStringLiteral("removeButton"));
    for (QPushButton *b : {m_add, m_remove}) {
        b->setAutoDefault(false);
        b->setMinimumSize(72, 30);
    }

    const diagnosisNode &node = diagnosisNode::instance();
    const answerFilter filter = answerFilter::forPatient(node.mainsuit());
    if (const questionGroup *group = node.group(m_groupId)) {
        for (const questionList &question : group->lists) {
            if (!filter.questionShown(question))
                continue;
            for (const questionItem *item : filter.visibleAnswers(question)) {
                auto *cell = new QTableWidgetItem(question.title + QStringLiteral(" - ") + item->name);
                cell->setData(Qt::UserRole, item->id);
                cell->setToolTip(cell->text());
                const int row = m_available->rowCount();
                m_available->insertRow(row);
                m_available->setItem(row, 0, cell);
            }
        }
    }
    m_available->resizeRowsToContents();

    auto *middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(m_add);
    middle->addWidget(m_remove);
    middle->addStretch(1);
    auto *layout = new QHBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(m_available, 1);
    layout->addLayout(middle);
    layout->addWidget(m_selected, 1);

    connect(m_add, &QPushButton::clicked, this, &diagnosisUnitWidget::onTableAdd);
    connect(m_remove, &QPushButton::clicked, this, &diagnosisUnitWidget::onTableRemove);
    connect(m_available, &QTableWidget::cellClicked, this, &diagnosisUnitWidget::onClickCellAdd);
    connect(m_selected, &QTableWidget::cellClicked, this, &diagnosisUnitWidget::onClickCellRemove);
    connect(m_available, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int, int) { onClickCellAdd(row, column); });
    connect(m_selected, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int, int) { onClickCellRemove(row, column); });
    connect(m_available, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        onClickCellAdd(row, column);
        onTableAdd();
    });
    connect(m_selected, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        onClickCellRemove(row, column);
        onTableRemove();
    });
}

void diagnosisUnitWidget::setStep(int page, int pages)
{
    m_step->setText(pages > 0 ? phrase("diagnosis", "page_step").arg(page).arg(pages) : QString());
}

void diagnosisUnitWidget::setLastPage(bool last)
{
    m_next->setText(phrase("diagnosis", last ? "result" : "next"));
}

QString diagnosisUnitWidget::title() const
{
    return m_title->text();
}

QString diagnosisUnitWidget::stepText() const
{
    return m_step->text();
}

QAbstractButton *diagnosisUnitWidget::answerButton(const QString &id) const
{
    for (const questionBox *box : m_boxes) {
        for (QAbstractButton *b : box->buttons()) {
            if (b->objectName() == id)
                return b;
        }
    }
    return nullptr;
}

QStringList diagnosisUnitWidget::collectAnswers() const
{
    QStringList ids;
    if (m_table) {
        for (int row = 0; row < m_selected->rowCount(); ++row)
            ids << m_selected->item(row, 0)->data(Qt::UserRole).toString();
        return ids;
    }
    for (const questionBox *box : m_boxes)
        ids << box->checkedIds();
    return ids;
}

void diagnosisUnitWidget::onClick()
{
    diagnosisNode &node = diagnosisNode::instance();
    const QStringList answers = collectAnswers();
    if (m_start) {
        if (m_patient)
            m_patient->collect();
        emit onSenderStart();
        const QString refusal = checkPatientAgainstComplaint(node.mainsuit());
        if (!refusal.isEmpty()) {
            diagnoseInfoDlg dialog({}, node.mainsuit(), lookupPhrase(QStringLiteral("diagnosis"), refusal), this);
            dialog.setExportable(false);
            dialog.exec();
            return;
        }
    } else if (m_groupId == QLatin1String("888")) {
        for (const QString &id : answers) {
            const questionItem *item = node.findAnswer(id);
            if (!item)
                continue;
            QStringList groups;
            for (const QString &g : item->chosenGroups()) {
                if (!g.trimmed().isEmpty())
                    groups << g.trimmed();
            }
            node.queueGroups(groups);
        }
    } else {
        node.addAnswers(answers);
        emit onSenderData(QVector<QString>(answers.cbegin(), answers.cend()));
    }
    // The page is on its way out: a second click must not confirm it again.
    m_next->setEnabled(false);
    m_cancel->setEnabled(false);
    emit onSender(m_groupId);
}

void diagnosisUnitWidget::onCancel()
{
    m_next->setEnabled(false);
    m_cancel->setEnabled(false);
    emit onSenderCancel();
}

void diagnosisUnitWidget::onTransmitData(const QString &code, const QString &description)
{
    diagnosisNode::instance().setMainsuit(code);
    emit onSenderData(code, description);
}

void diagnosisUnitWidget::moveRow(QTableWidget *from, int row, QTableWidget *to)
{
    if (!from || !to || row < 0 || row >= from->rowCount())
        return;
    QTableWidgetItem *item = from->takeItem(row, 0);
    from->removeRow(row);
    const int at = to->rowCount();
    to->insertRow(at);
    to->setItem(at, 0, item);
    to->resizeRowToContents(at);
}

void diagnosisUnitWidget::onTableAdd()
{
    moveRow(m_available, m_availableRow, m_selected);
}

void diagnosisUnitWidget::onTableRemove()
{
    moveRow(m_selected, m_selectedRow, m_available);
}

void diagnosisUnitWidget::onClickCellAdd(int row, int)
{
    m_availableRow = row;
}

void diagnosisUnitWidget::onClickCellRemove(int row, int)
{
    m_selectedRow = row;
}
