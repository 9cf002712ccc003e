#include "searchwidget.h"

#include "acupointdata.h"
#include "browsers/folkdata.h"
#include "browsers/unititem.h"
#include "diagnosis/codenames.h"
#include "text/phrasedictionary.h"

#include <QButtonGroup>
#include <QCompleter>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
QString searchPhrase(const char *key)
{
    return lookupPhrase(QStringLiteral("search"), QLatin1String(key));
}
} // namespace

searchWidget::searchWidget(QWidget *parent)
    : abstractDialog(parent)
{
    setWhiteBackground();

    m_acupoint = new QPushButton(searchPhrase("acupoint"), this);
    m_symptom = new QPushButton(searchPhrase("symptom"), this);
    m_folk = new QPushButton(searchPhrase("traditional_popular_prescription"), this);
    auto *modes = new QButtonGroup(this);
    for (QPushButton *b : {m_acupoint, m_symptom, m_folk}) {
        b->setCheckable(true);
        modes->addButton(b);
    }
    m_acupoint->setChecked(true);
    m_input = new QLineEdit(this);
    m_input->setClearButtonEnabled(true);
    m_input->setToolTip(searchPhrase("search_tip"));
    m_result = new QPlainTextEdit(this);
    m_result->setReadOnly(true);
    m_result->document()->setDocumentMargin(8);
    m_categories = new QTreeWidget(this);
    m_categories->setHeaderHidden(true);
    // A click opens or closes a category; the double click of the tree would
    // toggle it a second time.
    m_categories->setExpandsOnDoubleClick(false);
    m_categories->setMaximumWidth(200);
    for (const unitItem *category : folkCategories()) {
        auto *top = new QTreeWidgetItem(m_categories, QStringList{category->name});
        for (const QString &complaint : category->children)
            new QTreeWidgetItem(top, QStringList{complaint});
    }
    m_categories->hide();
    auto *close = new QPushButton(lookupPhrase(QStringLiteral("common"), QStringLiteral("close")), this);
    // Return in the input searches; it must not press a button of the dialog.
    for (QPushButton *b : {m_acupoint, m_symptom, m_folk, close})
        b->setAutoDefault(false);

    auto *top = new QHBoxLayout;
    top->addWidget(m_acupoint);
    top->addWidget(m_symptom);
    top->addWidget(m_folk);
    top->addWidget(m_input, 1);
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_categories);
    middle->addWidget(m_result, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(searchPhrase("search_tip"), this));
    bottom->addStretch();
    bottom->addWidget(close);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(10, 8, 10, 10);
    body->addLayout(top);
    body->addLayout(middle, 1);
    body->addLayout(bottom);
    addContent(body);
    resize(680, 500);

    connect(m_acupoint, &QPushButton::clicked, this, &searchWidget::setupForAcupoint);
    connect(m_symptom, &QPushButton::clicked, this, &searchWidget::setupForSymptom);
    connect(m_folk, &QPushButton::clicked, this, &searchWidget::setupForFolk);
    connect(m_input, &QLineEdit::returnPressed, this, &searchWidget::onSearch);
    connect(m_categories, &QTreeWidget::itemClicked, this, &searchWidget::onCategoryClicked);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    setupForAcupoint();
}

QPushButton *searchWidget::modeButton(int mode) const
{
    return mode == 0 ? m_acupoint : mode == 1 ? m_symptom : m_folk;
}

void searchWidget::setWords(const QStringList &words)
{
    auto *completer = new QCompleter(words, m_input);
    completer->setFilterMode(Qt::MatchContains);
    delete m_input->completer();
    m_input->setCompleter(completer);
    m_input->setFocus();
}

void searchWidget::setupForAcupoint()
{
    setTitle(searchPhrase("acupoint_search"));
    m_input->clear();
    m_result->clear();
    m_categories->hide();
    QStringList names;
    QSet<QString> seen;
    for (const acuPoint &p : acuPointTable()) {
        if (!seen.contains(p.name)) {
            seen.insert(p.name);
            names << p.name;
        }
    }
    setWords(names);
    m_input->setPlaceholderText(searchPhrase("acupoint_one"));
}

void searchWidget::setupForSymptom()
{
    setTitle(searchPhrase("symptom_search"));
    m_input->clear();
    m_result->clear();
    m_categories->hide();
    setWords(syndromeWords());
    m_input->setPlaceholderText(searchPhrase("symptom_one"));
}

void searchWidget::setupForFolk()
{
    setTitle(searchPhrase("traditional_popular_prescription_search"));
    m_input->clear();
    m_result->clear();
    m_categories->show();
    QStringList targets;
    QSet<QString> seen;
    for (const folkRemedy &r : folkTable()) {
        if (!r.target.isEmpty() && !seen.contains(r.target)) {
            seen.insert(r.target);
            targets << r.target;
        }
    }
    setWords(targets);
    m_input->setPlaceholderText(searchPhrase("traditional_popular_prescription_one"));
}

void searchWidget::onSearch()
{
    const QString text = m_input->text().trimmed();
    if (text.isEmpty())
        return;
    if (m_acupoint->isChecked()) {
        const QString found = acuPointText(text);
        if (!found.isEmpty())
            m_result->setPlainText(found);
    } else if (m_symptom->isChecked()) {
        m_result->setPlainText(symptomSearchText(text));
    } else if (m_folk->isChecked()) {
        m_result->setPlainText(folkListing(text));
    }
}

void searchWidget::onCategoryClicked(QTreeWidgetItem *item, int)
{
    if (!item)
        return;
    if (!item->parent()) { // a category opens or closes
        item->setExpanded(!item->isExpanded());
        return;
    }
    m_input->setText(item->text(0));
    onSearch();
}
