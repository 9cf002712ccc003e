#include "diagnoseinfodlg.h"

#include "text/phrasedictionary.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

diagnoseInfoDlg::diagnoseInfoDlg(const QSet<QString> &answers, const QString &mainsuit, const QString &text,
                                 QWidget *parent)
    : abstractDialog(parent), m_answers(answers), m_mainsuit(mainsuit)
{
    setWhiteBackground();
    setTitle(lookupPhrase(QStringLiteral("diagnosis"), QStringLiteral("diagnosisinfo")));
    m_view = new QPlainTextEdit(this);
    m_view->setReadOnly(true);
    m_view->document()->setDocumentMargin(10);
    m_view->setPlainText(text);
    m_close = new QPushButton(lookupPhrase(QStringLiteral("common"), QStringLiteral("ok")), this);
    m_close->setObjectName(QStringLiteral("closeButton"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(10, 8, 10, 10);
    body->addWidget(m_view, 1);
    body->addLayout(buttons);
    addContent(body);
    resize(460, 480);
    connect(m_close, &QPushButton::clicked, this, &diagnoseInfoDlg::doClose);
}

QString diagnoseInfoDlg::text() const
{
    return m_view->toPlainText();
}

void diagnoseInfoDlg::doClose()
{
    accept();
}
