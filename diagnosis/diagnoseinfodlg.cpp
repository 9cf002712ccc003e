#include "diagnoseinfodlg.h"

#include "consultationfile.h"
#include "text/phrasedictionary.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

diagnoseInfoDlg::diagnoseInfoDlg(const QSet<QString> &answers, const QString &mainsuit, const QString &text,
                                 QWidget *parent)
    : abstractDialog(parent), m_answers(answers), m_mainsuit(mainsuit), m_dialogs(this)
{
    setWhiteBackground();
    setTitle(lookupPhrase(QStringLiteral("diagnosis"), QStringLiteral("diagnosisinfo")));
    m_view = new QPlainTextEdit(this);
    m_view->setReadOnly(true);
    m_view->document()->setDocumentMargin(10);
    m_view->setPlainText(text);
    m_export = new QPushButton(lookupPhrase(QStringLiteral("diagnosis"), QStringLiteral("export")), this);
    m_export->setObjectName(QStringLiteral("exportButton"));
    m_export->setAutoDefault(false);
    m_close = new QPushButton(lookupPhrase(QStringLiteral("common"), QStringLiteral("ok")), this);
    m_close->setObjectName(QStringLiteral("closeButton"));
    m_close->setDefault(true);
    for (QPushButton *b : {m_export, m_close})
        b->setMinimumWidth(88);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_export);
    buttons->addWidget(m_close);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(10, 8, 10, 10);
    body->addWidget(m_view, 1);
    body->addLayout(buttons);
    addContent(body);
    resize(500, 520);
    connect(m_export, &QPushButton::clicked, this, &diagnoseInfoDlg::doExport);
    connect(m_close, &QPushButton::clicked, this, &diagnoseInfoDlg::doClose);
}

QString diagnoseInfoDlg::text() const
{
    return m_view->toPlainText();
}

void diagnoseInfoDlg::setExportable(bool exportable)
{
    m_export->setVisible(exportable);
}

bool diagnoseInfoDlg::exportTo(const QString &path)
{
    QString reason;
    if (writeConsultationFile(path, m_mainsuit, m_answers, &reason))
        return true;
    m_dialogs.tell(reason);
    return false;
}

void diagnoseInfoDlg::doClose()
{
    accept();
}

void diagnoseInfoDlg::doExport()
{
    QString path = m_dialogs.saveFileName(
        lookupPhrase(QStringLiteral("diagnosis"), QStringLiteral("export_person_data")),
        userDialogs::programFolder(), QStringLiteral("Export File (*.dg)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".dg");
    exportTo(path);
}
