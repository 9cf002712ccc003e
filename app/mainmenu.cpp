#include "mainmenu.h"

#include "text/phrasedictionary.h"

#include <QFile>

mainMenu::mainMenu(QWidget *parent)
    : QMenu(parent)
{
    QFile qss(QStringLiteral(":/qss/menu"));
    if (qss.open(QIODevice::ReadOnly))
        setStyleSheet(QString::fromUtf8(qss.readAll()));

    const auto phrase = [](const char *block, const char *key) {
        return lookupPhrase(QLatin1String(block), QLatin1String(key));
    };
    m_update = addAction(QIcon(QStringLiteral(":/menu/update")), phrase("software", "update"));
    QAction *about = addAction(QIcon(QStringLiteral(":/menu/about")), phrase("software", "about"));
    QAction *help = addAction(QIcon(QStringLiteral(":/menu/help")), phrase("software", "support"));
    addSeparator();
    QAction *reader = addAction(phrase("software", "dadreader"));
    QAction *compare = addAction(phrase("software", "herbcompare"));
    QAction *search = addAction(phrase("software", "data_search"));
    QAction *test = addAction(phrase("misc", "symptom_test"));
    m_update->setObjectName(QStringLiteral("updateAction"));
    about->setObjectName(QStringLiteral("aboutAction"));
    help->setObjectName(QStringLiteral("helpAction"));
    reader->setObjectName(QStringLiteral("readerAction"));
    compare->setObjectName(QStringLiteral("compareAction"));
    search->setObjectName(QStringLiteral("searchAction"));
    test->setObjectName(QStringLiteral("symptomTestAction"));

    connect(about, &QAction::triggered, this, &mainMenu::aboutUS);
    connect(help, &QAction::triggered, this, &mainMenu::onlineHelp);
    connect(reader, &QAction::triggered, this, &mainMenu::popReader);
    connect(compare, &QAction::triggered, this, &mainMenu::popHerbComparer);
    connect(search, &QAction::triggered, this, &mainMenu::popDataSearch);
    connect(test, &QAction::triggered, this, &mainMenu::popSympTomTest);
}
