#include "app/startup.h"
#include "diagnosis/diagnosisnode.h"

#include <QApplication>

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
    if (!prepareProgram(app))
        return -1;
    showFirstWindow();
    const int result = app.exec();
    diagnosisNode::instance().cleanup();
    return result;
}
