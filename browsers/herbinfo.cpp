#include "herbinfo.h"
#include "frame/framechrome.h"
#include "browserlayout.h"

#include "herbinfowidget.h"
#include "herblistwidget.h"
#include "herbs/herbbase.h"
#include "text/phrasedictionary.h"
#include "text/warnningbox.h"

#include <QCompleter>
#include <QLineEdit>
#include <QPushButton>

herbInfo::herbInfo(QWidget *parent)
    : QWidget(parent)
{
    setWhiteBackground(this);

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

    layoutBrowserPage(this, m_view, m_search, button, m_list);

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
