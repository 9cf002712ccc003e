#include "knowledge/knowledgearchive.h"
#include "knowledge/randomsource.h"
#include "app/startup.h"
#include "diagnosis/diagnosisnode.h"
#include "text/phrasedictionary.h"
#include "text/warnningbox.h"

#include <QApplication>
#include <QDateTime>
#include <QFont>
#include <QTranslator>

#include <cstdlib>
#include <ctime>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Names the user's configuration folder (where the settings go when the
    // program's folder cannot be written) and ties the windows to the
    // desktop entry "lumicara.desktop".
    QCoreApplication::setApplicationName(QStringLiteral("lumicara"));
    QGuiApplication::setDesktopFileName(QStringLiteral("lumicara"));
    // The skins, the body model and (where it can be written) the settings
    // file are found beside the program, wherever it was started from.
    enterProgramFolder();
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
        return -1;
    }
    const QString damage = knowledgeDamageMessage();
    if (!damage.isEmpty())
        showWarning(damage, nullptr);

    QFont font = QApplication::font();
    font.setPointSize(11);
    QApplication::setFont(font);

    loadDiagnosisCategories();

    showFirstWindow();
    const int result = app.exec();
    diagnosisNode::instance().cleanup();
    return result;
}
