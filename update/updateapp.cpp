#include "updateapp.h"

#include "app/appversion.h"
#include "knowledge/loadfunctions.h"
#include "updatenames.h"

#include <QCoreApplication>
#include <QProcess>

UpdateApp::UpdateApp(QObject *parent)
    : QThread(parent)
{
}

UpdateApp::~UpdateApp()
{
    requestInterruption();
    wait();
}

QString UpdateApp::program() const
{
    if (!m_program.isEmpty())
        return m_program;
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(updateProgramFileName);
}

QString UpdateApp::manifestUrl()
{
    QString url;
    if (!readIniValue(settingsFilePath(), QStringLiteral("updateurl"), url) || url.trimmed().isEmpty())
        return QLatin1String(defaultManifestUrl);
    return url.trimmed();
}

QStringList UpdateApp::updateArguments()
{
    return {QLatin1String(lcVersion), manifestUrl(), QLatin1String(updatePlatformWord),
            QLatin1String(mainProgramFileName)};
}

void UpdateApp::run()
{
    QProcess process;
    process.setProgram(program());
    process.setArguments(updateArguments());
    // The update program replaces the executable in its working directory,
    // which must be this program's folder whatever folder it was started from.
    process.setWorkingDirectory(QCoreApplication::applicationDirPath());
    // No pipes: the update program outlives this process when it stops it.
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted())
        return;
    while (!process.waitForFinished(200)) {
        if (process.state() == QProcess::NotRunning)
            return;
        if (isInterruptionRequested()) {
            process.kill();
            process.waitForFinished();
            return;
        }
    }
}
