#include "readerwidget.h"

#include "readertexts.h"
#include "text/phrasedictionary.h"

#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpacerItem>

#include <cstdlib>

readerWidget::readerWidget(QWidget *parent)
    : abstractDialog(parent)
{
    setWhiteBackground();
    setTitle(lookupPhrase(QStringLiteral("software"), QStringLiteral("dadreader")));
    const int count = int(readerTexts().size());
    m_current = count > 0 ? std::rand() % count : -1;

    m_view = new QPlainTextEdit(this);
    m_view->setReadOnly(true);
    m_view->document()->setDocumentMargin(14);
    QFont f = m_view->font();
    f.setPointSize(f.pointSize() + 2);
    m_view->setFont(f);
    auto *next = new QPushButton(lookupPhrase(QStringLiteral("reader"), QStringLiteral("nextone")), this);
    next->setObjectName(QStringLiteral("nextButton"));
    auto *grid = new QGridLayout;
    grid->setContentsMargins(10, 8, 10, 10);
    grid->addWidget(m_view, 0, 0, 1, 3);
    grid->addItem(new QSpacerItem(217, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 1, 0);
    grid->addWidget(next, 1, 2);
    addContent(grid);
    resize(460, 320);
    connect(next, &QPushButton::clicked, this, &readerWidget::onNext);
    showCurrent();
}

QString readerWidget::displayText(int index)
{
    const QStringList &texts = readerTexts();
    if (index < 0 || index >= texts.size())
        return QString();
    const QString text = texts.at(index);
    if (index >= readerVerseCount())
        return text;
    // A verse: its name, then one line per line of the verse.
    const qsizetype dash = text.indexOf(QLatin1Char('-'));
    // Every line ends in ";"; a blank line of the verse stays a blank line.
    QStringList lines = text.mid(dash + 1).split(QLatin1Char(';'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return QStringLiteral("【%1】\n").arg(text.left(dash)) + lines.join(QLatin1Char('\n'));
}

void readerWidget::showCurrent()
{
    m_view->setPlainText(displayText(m_current));
}

void readerWidget::onNext()
{
    const int count = int(readerTexts().size());
    if (count < 2)
        return; // nothing else to show
    int next = m_current;
    while (next == m_current)
        next = std::rand() % count;
    m_current = next;
    showCurrent();
}
