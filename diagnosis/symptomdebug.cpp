#include "symptomdebug.h"

#include "consultationfile.h"
#include "diagnosisinference.h"
#include "rundiagnosis.h"
#include "text/phrasedictionary.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

symptomDebug::symptomDebug(QWidget *parent)
    : abstractDialog(parent), m_dialogs(this)
{
    setWhiteBackground();
    setTitle(lookupPhrase(QStringLiteral("misc"), QStringLiteral("symptom_test")));
    const QString tip = lookupPhrase(QStringLiteral("misc"), QStringLiteral("symptom_test_tip"));
    m_input = new QLineEdit(this);
    m_input->setToolTip(tip);
    m_input->setClearButtonEnabled(true);
    m_load = new QPushButton(lookupPhrase(QStringLiteral("script"), QStringLiteral("externalpair")), this);
    m_load->setObjectName(QStringLiteral("loadButton"));
    m_ok = new QPushButton(lookupPhrase(QStringLiteral("common"), QStringLiteral("ok")), this);
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_load->setAutoDefault(false);
    m_ok->setAutoDefault(false);
    m_output = new QPlainTextEdit(this);
    m_output->setReadOnly(true);
    m_output->document()->setDocumentMargin(8);

    auto *top = new QHBoxLayout;
    top->addWidget(m_input, 1);
    top->addWidget(m_load);
    top->addWidget(m_ok);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(10, 8, 10, 10);
    body->addLayout(top);
    body->addWidget(new QLabel(tip, this));
    body->addWidget(m_output, 1);
    addContent(body);
    resize(600, 460);

    connect(m_load, &QPushButton::clicked, this, &symptomDebug::onLoad);
    connect(m_ok, &QPushButton::clicked, this, &symptomDebug::onOK);
    connect(m_input, &QLineEdit::returnPressed, this, &symptomDebug::onOK);
}

bool symptomDebug::loadFile(const QString &path)
{
    QString text, reason;
    if (!readConsultationInput(path, &text, &reason)) {
        m_output->setPlainText(reason);
        return false;
    }
    m_input->setText(text);
    return true;
}

void symptomDebug::onLoad()
{
    const QString path =
        m_dialogs.openFileName(lookupPhrase(QStringLiteral("diagnosis"), QStringLiteral("import_person_data")),
                               userDialogs::programFolder(), QStringLiteral("File (*.dg)"));
    if (!path.isEmpty())
        loadFile(path);
}

void symptomDebug::onOK()
{
    QString mainsuit;
    QSet<QString> answers;
    if (!parseSymptomTestInput(m_input->text(), &mainsuit, &answers))
        return;
    const diagnosisContext context = runInference(mainsuit, answers);
    m_output->setPlainText(chooseResultText(this, context));
}
