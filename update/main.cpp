// The update program: fetches the release manifest, offers a newer main
// program, downloads it and puts it in place of the running one.

#include "update/updatestartup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Qt's own texts (buttons, network errors) in Chinese, where installed.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || qtTexts.load(QStringLiteral("qtbase_zh_CN"), QCoreApplication::applicationDirPath()
                                                            + QStringLiteral("/translations")))
        app.installTranslator(&qtTexts);
    return runUpdateProgram(QCoreApplication::arguments());
}
