#include "pairinfo.h"
#include "frame/framechrome.h"
#include "browserlayout.h"

#include "herbs/herbbase.h"
#include "pairlistwidget.h"
#include "pairs/pairrules.h"
#include "text/phrasedictionary.h"
#include "text/warnningbox.h"

#include <QCompleter>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

pairInfo::pairInfo(QWidget *parent)
    : QWidget(parent)
{
    setWhiteBackground(this);

    m_report = new QPlainTextEdit(this);
    m_report->setReadOnly(true);
    m_report->setContextMenuPolicy(Qt::NoContextMenu);
    m_report->setFrameShape(QFrame::NoFrame);
    m_report->document()->setDocumentMargin(12);
    m_list = new pairListWidget(this);
    m_search = new QLineEdit(this);
    m_search->setMaximumWidth(120);
    m_search->setClearButtonEnabled(true);
    const QStringList herbs = sortedTexts(pairHerbSet());
    auto *completer = new QCompleter(herbs, m_search);
    completer->setFilterMode(Qt::MatchContains);
    m_search->setCompleter(completer);
    auto *button = new QPushButton(lookupPhrase(QStringLiteral("common"), QStringLiteral("search")), this);
    button->setObjectName(QStringLiteral("searchButton"));

    layoutBrowserPage(this, m_report, m_search, button, m_list);

    connect(m_list, &QTableWidget::cellClicked, this, &pairInfo::onClickHerbList);
    connect(button, &QPushButton::clicked, this, &pairInfo::onClickSearch);
    connect(m_search, &QLineEdit::returnPressed, this, &pairInfo::onClickSearch);
}

void pairInfo::onClickHerbList(int row, int)
{
    m_report->clear();
    m_report->setPlainText(pairTextForHerb(m_list->textAt(row)));
}

void pairInfo::onClickSearch()
{
    const QString text = m_search->text().trimmed();
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() == 2) {
        const int index = findPair(parts.at(0), parts.at(1));
        if (index < 0)
            return;
        m_report->clear();
        m_report->setPlainText(pairTextByIndex(index));
        return;
    }
    const int row = m_list->rowOf(canonicalHerbName(text));
    if (row < 0) {
        showWarning(lookupPhrase(QStringLiteral("script"), QStringLiteral("badinputherb")), this);
        return;
    }
    onClickHerbList(row, 0);
}
