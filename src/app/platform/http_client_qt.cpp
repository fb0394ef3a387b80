#include "app/platform/http_client_qt.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace tarvex {

location::HttpAnswer QtGeocodeHttpClient::get(const std::string& url, int timeout_ms) {
    location::HttpAnswer answer;
    QUrl address(QString::fromStdString(url));
    if (!address.isValid() || address.scheme().isEmpty()) {
        answer.error = "not a web address: " + url;
        return answer;
    }
    QNetworkAccessManager manager;
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timed_out = false;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timed_out = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(timeout_ms);
    if (!reply->isFinished()) loop.exec();
    timer.stop();
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (timed_out) {
        answer.error = "Operation timed out";
    } else if (reply->error() != QNetworkReply::NoError && answer.status == 0) {
        answer.error = reply->errorString().toStdString();
    } else {
        QByteArray body = reply->readAll();
        answer.body.assign(body.constData(), static_cast<size_t>(body.size()));
        answer.ok = true;
    }
    reply->deleteLater();
    return answer;
}

}  // namespace tarvex
