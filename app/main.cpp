#include "app/startup.h"
#include "diagnosis/diagnosisnode.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The settings file and the skins are found beside the program, wherever
    // it was started from.
    enterProgramFolder();
    if (!prepareProgram(app))
        return -1;
    showFirstWindow();
    const int result = app.exec();
    diagnosisNode::instance().cleanup();
    return result;
}
