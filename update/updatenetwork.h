#ifndef UPDATENETWORK_H
#define UPDATENETWORK_H

#include <QString>

class QNetworkAccessManager;
class QNetworkReply;
class QUrl;

// Every request of the update program fails when it transfers nothing for
// this many milliseconds.
int updateRequestTimeout();
void setUpdateRequestTimeout(int msecs);

// Only web addresses (http, https) are fetched or opened.
bool isWebUrl(const QUrl &url);

// Starts a GET with the time-out. Redirects are followed only within the
// scheme of the address: one to another scheme (https to http, or to a local
// file) aborts the reply.
QNetworkReply *startUpdateRequest(QNetworkAccessManager &manager, const QUrl &url);

// Why a finished reply did not deliver its body (network error, time-out,
// refused redirect, HTTP status other than 2xx); empty when it did.
QString replyFailure(QNetworkReply *reply);

#endif
