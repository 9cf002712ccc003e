#include "startup.h"

#include "app/lcwidget.h"
#include "app/licenseagreement.h"
#include "knowledge/loadfunctions.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

namespace {
void showCentred(QWidget *window)
{
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
    window->show();
}
} // namespace

bool enterProgramFolder()
{
    return QDir::setCurrent(QCoreApplication::applicationDirPath());
}

void showFirstWindow()
{
    QString init;
    readIniValue(settingsFilePath(), QStringLiteral("init"), init);
    if (init != QLatin1String("true")) {
        auto *agreement = new licenseAgreement;
        showCentred(agreement);
        return;
    }
    auto *window = new lcWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    showCentred(window);
}
