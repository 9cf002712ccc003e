#include "licenseagreement.h"

#include "app/lcwidget.h"
#include "app/settingswarning.h"
#include "knowledge/loadfunctions.h"
#include "text/phrasedictionary.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

licenseAgreement::licenseAgreement(QWidget *parent)
    : abstractWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWhiteBackground();
    setWindowIcon(QIcon(QStringLiteral(":/logo/logo48")));
    const auto phrase = [](const char *block, const char *key) {
        return lookupPhrase(QLatin1String(block), QLatin1String(key));
    };
    setTitle(phrase("software", "lc"));

    auto *heading = new QLabel(QStringLiteral("<b>%1</b><br>%2").arg(phrase("software", "license"),
                                                                     phrase("software", "pleasereadfollowinglicenseagreement")), this);
    heading->setWordWrap(true);
    auto *text = new QTextBrowser(this);
    text->setHtml(readKnowledgeEntry(QStringLiteral("html/LA.htm")));
    auto *question = new QLabel(phrase("software", "acceptlicense"), this);
    question->setWordWrap(true);
    auto *yes = new QPushButton(phrase("common", "yes"), this);
    auto *no = new QPushButton(phrase("common", "no"), this);
    yes->setObjectName(QStringLiteral("yesButton"));
    no->setObjectName(QStringLiteral("noButton"));
    yes->setDefault(true);
    connect(yes, &QPushButton::clicked, this, &licenseAgreement::onYes);
    connect(no, &QPushButton::clicked, this, &licenseAgreement::onNo);

    auto *logo = new QLabel(this);
    logo->setPixmap(QPixmap(QStringLiteral(":/logo/logo48")));
    auto *top = new QHBoxLayout;
    top->setSpacing(10);
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addWidget(heading, 1);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(10, 8, 10, 10);
    body->setSpacing(6);
    body->addLayout(top);
    body->addWidget(text, 1);
    body->addWidget(question);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(yes);
    buttons->addWidget(no);
    body->addLayout(buttons);
    addContent(body);
    setFixedSize(400, 320);
}

void licenseAgreement::onYes()
{
    const bool saved = writeIniValue(settingsFilePath(), QStringLiteral("init"), QStringLiteral("true"));
    // The main window is shown before this page goes, so that the program
    // never finds itself without a window in between.
    auto *window = new lcWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    emit accepted(window);
    close();
    if (!saved)
        warnSettingsNotSaved(window);
}

void licenseAgreement::onNo()
{
    close();
}
