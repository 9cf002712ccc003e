#include "startup.h"

#include "app/lcwidget.h"
#include "app/licenseagreement.h"
#include "knowledge/knowledgearchive.h"
#include "knowledge/loadfunctions.h"
#include "knowledge/randomsource.h"
#include "text/phrasedictionary.h"
#include "text/warnningbox.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFont>
#include <QScreen>
#include <QTranslator>

#include <cstdlib>
#include <ctime>

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

bool prepareProgram(QApplication &app)
{
    // Byte strings of the data are decoded with the system code page by the
    // text layer itself (text/codepage.h).
    std::srand(unsigned(std::time(nullptr)));

    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral(":qrc/lang/qt_zh_CN.qm")))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;

    const QTime now = QTime::currentTime();
    seedProgramRandom(quint32(now.msec() + 1000 * now.second()));

    if (!loadStartupKnowledge()) {
        showWarning(lookupPhrase(QStringLiteral("software"), QStringLiteral("configerror")), nullptr);
        return false;
    }
    const QString damage = knowledgeDamageMessage();
    if (!damage.isEmpty())
        showWarning(damage, nullptr);

    QFont font = QApplication::font();
    font.setPointSize(11);
    QApplication::setFont(font);

    loadDiagnosisCategories();
    return true;
}

QWidget *showMainWindow()
{
    auto *window = new lcWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    showCentred(window);
    return window;
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
    showMainWindow();
}
