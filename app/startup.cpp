#include "startup.h"

#include "text/phrasedictionary.h"

#include <QLabel>

void showFirstWindow()
{
    auto *window = new QLabel(lookupPhrase(QStringLiteral("software"), QStringLiteral("lc")));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setAlignment(Qt::AlignCenter);
    window->resize(806, 560);
    window->show();
}
