#include "diagnosistab.h"

#include "codenames.h"
#include "diagnosisnode.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QPushButton>
#include <QScrollArea>

#include <algorithm>

namespace {
// The complaint each department tab starts with.
const char *const firstComplaints[] = {"9024", "9134", "9280", "9310", "9900", "9074"};
constexpr int buttonColumns = 3;
} // namespace

diagnosisTab::diagnosisTab(QWidget *parent)
    : QTabWidget(parent)
{
    setObjectName(QStringLiteral("complaintTabs"));
    setUsesScrollButtons(true);
    const QList<complaintBlock> &blocks = diagnosisNode::instance().complaintBlocks();
    for (int b = 0; b < blocks.size(); ++b) {
        const complaintBlock &block = blocks.at(b);
        QString remembered = b < 6 ? QLatin1String(firstComplaints[b]) : QString();
        const bool known = std::any_of(block.entries.cbegin(), block.entries.cend(),
                                       [&remembered](const complaintEntry &e) { return e.code == remembered; });
        if (!known && !block.entries.isEmpty())
            remembered = block.entries.first().code;
        m_remembered << remembered;

        auto *page = new QWidget;
        page->setObjectName(QStringLiteral("complaintPage"));
        page->setAutoFillBackground(true);
        page->setBackgroundRole(QPalette::Base);
        page->setStyleSheet(QStringLiteral(
            "QPushButton { background-color:#f4f8f8; border:1px solid #c9d6d8; border-radius:4px;"
            " padding:4px 8px; color:#203436; }"
            "QPushButton:hover { background-color:#e4eff0; border-color:#93b3b8; }"
            "QPushButton:checked { background-color:#2f6470; border-color:#2f6470; color:white; }"));
        auto *grid = new QGridLayout(page);
        grid->setContentsMargins(10, 10, 10, 10);
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(8);
        auto *exclusive = new QButtonGroup(page);
        QList<QPushButton *> buttons;
        for (int i = 0; i < block.entries.size(); ++i) {
            const complaintEntry &entry = block.entries.at(i);
            QString caption = lookupCodeName(entry.code);
            if (caption.isEmpty())
                caption = entry.code;
            auto *button = new QPushButton(caption, page);
            button->setObjectName(entry.code);
            button->setCheckable(true);
            button->setAutoDefault(false);
            button->setMinimumHeight(30);
            button->setToolTip(entry.description);
            button->setChecked(entry.code == remembered);
            exclusive->addButton(button);
            grid->addWidget(button, i / buttonColumns, i % buttonColumns);
            connect(button, &QPushButton::clicked, this, [this, b, code = entry.code] {
                setCurrentIndex(b); // a button answers for its own tab
                selectMainSuit(code);
            });
            buttons << button;
        }
        for (int c = 0; c < buttonColumns; ++c)
            grid->setColumnStretch(c, 1);
        grid->setRowStretch(grid->rowCount(), 1);
        m_buttons << buttons;

        auto *scroll = new QScrollArea;
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidget(page);
        addTab(scroll, block.name);
    }
    connect(this, &QTabWidget::currentChanged, this, &diagnosisTab::setCurrentTab);
}

QPushButton *diagnosisTab::complaintButton(const QString &code) const
{
    for (const QList<QPushButton *> &buttons : m_buttons) {
        for (QPushButton *b : buttons) {
            if (b->objectName() == code)
                return b;
        }
    }
    return nullptr;
}

void diagnosisTab::setCurrentTab(int index)
{
    if (index < 0 || index >= m_remembered.size())
        return;
    const QString code = m_remembered.at(index);
    const QString description = diagnosisNode::instance().selectComplaint(index, code);
    emit senderData(code, description);
}

void diagnosisTab::selectMainSuit(const QString &code)
{
    const int index = currentIndex();
    if (index < 0 || index >= m_remembered.size())
        return;
    m_remembered[index] = code;
    const QString description = diagnosisNode::instance().selectComplaint(index, code);
    emit senderData(code, description);
}
