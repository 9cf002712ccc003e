// The update program: fetches the release manifest, offers a newer main
// program, downloads it and puts it in place of the running one.

#include "update/updatestartup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return runUpdateProgram(QCoreApplication::arguments());
}
