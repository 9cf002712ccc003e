#include "herbinfo.h"

#include "herbinfowidget.h"
#include "herblistwidget.h"
#include "herbs/herbbase.h"
#include "text/phrasedictionary.h"
#include "text/warnningbox.h"

#include <QCompleter>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

herbInfo::herbInfo(QWidget *parent)
    : QWidget(parent)
{
    QPalette pal = palette();
    pal.setBrush(QPalette::Window, QBrush(Qt::white));
    setPalette(pal);
    setAutoFillBackground(true);

    m_view = new herbInfoWidget(this);
    m_list = new herbListWidget(this);
    m_search = new QLineEdit(this);
    m_search->setClearButtonEnabled(true);
    auto *completer = new QCompleter(herbNameWords(), m_search);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    m_search->setCompleter(completer);
    auto *button = new QPushButton(lookupPhrase(QStringLiteral("common"), QStringLiteral("search")), this);
    button->setObjectName(QStringLiteral("searchButton"));

    auto *panel = new QWidget(this);
    panel->setMaximumWidth(190);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_search, 1);
    row->addWidget(button);
    auto *side = new QVBoxLayout(panel);
    side->setContentsMargins(4, 4, 4, 4);
    side->addLayout(row);
    side->addWidget(m_list, 1);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_view);
    splitter->addWidget(panel);
    splitter->setStretchFactor(0, 1);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    connect(m_list, &QTableWidget::cellClicked, this, &herbInfo::onClickHerbList);
    connect(button, &QPushButton::clicked, this, &herbInfo::onClickSearch);
    connect(m_search, &QLineEdit::returnPressed, this, &herbInfo::onClickSearch);
}

void herbInfo::onClickHerbList(int row, int)
{
    if (row >= 0 && row < herbTable().size())
        m_view->showRecord(herbTable().at(row));
}

void herbInfo::onClickSearch()
{
    const QString name = canonicalHerbName(m_search->text().trimmed());
    if (name.isEmpty()) {
        showWarning(lookupPhrase(QStringLiteral("script"), QStringLiteral("badinputherb")), this);
        return;
    }
    bool found = false;
    const herbRecord record = findHerbByName(name, &found);
    if (found)
        m_view->showRecord(record);
}
