#include "updatenetwork.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace {
int g_timeout = 30000;

const char refusedRedirect[] = "lcRefusedRedirect";
} // namespace

int updateRequestTimeout()
{
    return g_timeout;
}

void setUpdateRequestTimeout(int msecs)
{
    g_timeout = msecs > 0 ? msecs : 30000;
}

bool isWebUrl(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty()
        && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

QNetworkReply *startUpdateRequest(QNetworkAccessManager &manager, const QUrl &url)
{
    QNetworkRequest request(url);
    request.setTransferTimeout(g_timeout);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(10);
    QNetworkReply *reply = manager.get(request);
    const QString scheme = url.scheme().toLower();
    QObject::connect(reply, &QNetworkReply::redirected, reply, [reply, scheme](const QUrl &target) {
        if (target.scheme().toLower() == scheme && isWebUrl(target)) {
            emit reply->redirectAllowed();
            return;
        }
        reply->setProperty(refusedRedirect, target);
        reply->abort();
    });
    return reply;
}

QString replyFailure(QNetworkReply *reply)
{
    if (!reply)
        return QStringLiteral("没有下载");
    const QVariant refused = reply->property(refusedRedirect);
    if (refused.isValid())
        return QStringLiteral("拒绝转向另一种协议的地址 %1").arg(refused.toUrl().toString());
    const QString scheme = reply->url().scheme().toLower();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    // A redirect that was not followed: Qt itself refuses schemes it cannot
    // fetch (such as file) before asking.
    const bool redirect = status.toInt() >= 300 && status.toInt() <= 399;
    if (web && redirect && reply->error() != QNetworkReply::NoError
        && reply->error() != QNetworkReply::TooManyRedirectsError) {
        QUrl target = reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
        if (target.isEmpty())
            target = QUrl::fromEncoded(reply->rawHeader("Location"));
        return QStringLiteral("拒绝转向另一种协议的地址 %1").arg(reply->url().resolved(target).toString());
    }
    if (web && status.isValid() && (status.toInt() < 200 || status.toInt() > 299))
        return QStringLiteral("服务器返回状态 %1").arg(status.toInt());
    switch (reply->error()) {
    case QNetworkReply::NoError:
        break;
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
        // The user's own cancel is told apart by the caller; what is left is
        // the transfer time-out.
        return QStringLiteral("服务器没有响应");
    default:
        return reply->errorString();
    }
    if (web && !status.isValid())
        return QStringLiteral("服务器没有给出状态");
    return QString();
}
