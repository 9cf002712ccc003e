#include "prescriptionchoicedlg.h"

#include "text/phrasedictionary.h"

#include <QHBoxLayout>
#include <QPushButton>

prescriptionChoiceDlg::prescriptionChoiceDlg(QWidget *parent)
    : abstractDialog(parent)
{
    setWhiteBackground();
    setTitle(lookupPhrase(QStringLiteral("diagnosis"), QStringLiteral("selectScriptMode")));
    m_formula = new QPushButton(lookupPhrase(QStringLiteral("diagnosis"), QStringLiteral("script1")), this);
    m_formula->setObjectName(QStringLiteral("formulaButton"));
    m_acupuncture = new QPushButton(lookupPhrase(QStringLiteral("diagnosis"), QStringLiteral("script2")), this);
    m_acupuncture->setObjectName(QStringLiteral("acupunctureButton"));
    for (QPushButton *b : {m_formula, m_acupuncture})
        b->setMinimumSize(110, 34);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(20, 18, 20, 20);
    row->setSpacing(16);
    row->addWidget(m_formula);
    row->addWidget(m_acupuncture);
    addContent(row);
    resize(300, 110);
    connect(m_formula, &QPushButton::clicked, this, &prescriptionChoiceDlg::onFormula);
    connect(m_acupuncture, &QPushButton::clicked, this, &prescriptionChoiceDlg::onAcupuncture);
}

void prescriptionChoiceDlg::onFormula()
{
    m_side = prescriptionSide::formula;
    accept();
}

void prescriptionChoiceDlg::onAcupuncture()
{
    m_side = prescriptionSide::acupuncture;
    accept();
}

prescriptionSide prescriptionChoiceDlg::ask(QWidget *parent)
{
    prescriptionChoiceDlg dialog(parent);
    dialog.exec();
    return dialog.side();
}
