#include "updatestartup.h"

#include "releaseinfo.h"
#include "systemdesktop.h"
#include "text/codepage.h"
#include "update.h"
#include "updatenetwork.h"

#include <QApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QStringDecoder>
#include <QUrl>

namespace {
// The executable name must be a bare file name in the program's folder.
bool isPlainFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && !name.contains(QLatin1Char(':'));
}
} // namespace

QString decodeManifest(const QByteArray &bytes)
{
    if (QStringConverter::encodingForData(bytes))
        return decodeTextWithBom(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeSystemCodePage(bytes);
}

QString fetchManifest(const QUrl &url, QString *failure)
{
    if (!isWebUrl(url)) {
        if (failure)
            *failure = QStringLiteral("更新地址无效：%1").arg(url.toString());
        return QString();
    }
    QNetworkAccessManager manager;
    QEventLoop loop;
    QObject::connect(&manager, &QNetworkAccessManager::finished, &loop, &QEventLoop::quit);
    QNetworkReply *reply = startUpdateRequest(manager, url);
    if (!reply->isFinished())
        loop.exec();
    const QString why = replyFailure(reply);
    QString text;
    if (why.isEmpty())
        text = decodeManifest(reply->readAll());
    delete reply;
    if (failure)
        *failure = why;
    return text;
}

releaseCheck checkForRelease(const QStringList &arguments, updateDesktop &desktop, releaseInfo &info,
                             QString &entryName)
{
    if (arguments.size() != 5 || !isPlainFileName(arguments.at(4)))
        return releaseCheck::usageError;
    info = releaseInfo();
    info.currentVersion = arguments.at(1);
    entryName = arguments.at(4);
    QString failure;
    const QString manifest = fetchManifest(QUrl(arguments.at(2)), &failure);
    if (!failure.isEmpty()) {
        desktop.showWarning(nullptr, QStringLiteral("无法取得更新信息：%1").arg(failure));
        return releaseCheck::nothingOffered;
    }
    return readReleaseInfo(manifest, info) ? releaseCheck::offered : releaseCheck::nothingOffered;
}

int runUpdateProgram(const QStringList &arguments)
{
    releaseInfo info;
    QString entryName;
    switch (checkForRelease(arguments, systemDesktop::instance(), info, entryName)) {
    case releaseCheck::usageError:
        return -1;
    case releaseCheck::nothingOffered:
        return 0;
    case releaseCheck::offered:
        break;
    }
    // The program ends when the window closes, not when the last window
    // does: after a finished update the window is gone while its closing
    // message is still shown.
    QApplication::setQuitOnLastWindowClosed(false);
    update window(entryName);
    QObject::connect(&window, &update::sendClosed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    window.setReleaseInfo(info);
    window.show();
    return QApplication::exec();
}
