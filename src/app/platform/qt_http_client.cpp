#include "app/platform/qt_http_client.h"

#include <QAuthenticator>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace tarvex {

QtHttpClient::QtHttpClient(QObject* parent)
    : QObject(parent), manager_(new QNetworkAccessManager(this)) {}

QtHttpClient::~QtHttpClient() {
    cancel();
}

void QtHttpClient::cancel() {
    if (current_) {
        cancelled_ = true;
        current_->abort();
    }
}

radioref::HttpResult QtHttpClient::get(const std::string& url, const std::string& user,
                                       const std::string& password, int timeout_ms) {
    QNetworkRequest request(QUrl(QString::fromStdString(url)));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = manager_->get(request);
    QString u = QString::fromLatin1(user.c_str()), p = QString::fromLatin1(password.c_str());
    connect(manager_, &QNetworkAccessManager::authenticationRequired, reply,
            [reply, u, p](QNetworkReply* r, QAuthenticator* auth) {
                if (r != reply) return;
                auth->setUser(u);
                auth->setPassword(p);
            });
    return wait(reply, timeout_ms);
}

radioref::HttpResult QtHttpClient::post(const std::string& url, const std::string& soap_action,
                                        const std::string& body, int timeout_ms) {
    QNetworkRequest request(QUrl(QString::fromStdString(url)));
    request.setHeader(QNetworkRequest::ContentTypeHeader, "text/xml; charset=utf-8");
    request.setRawHeader("SOAPAction", ("\"" + soap_action + "\"").c_str());
    QNetworkReply* reply =
        manager_->post(request, QByteArray(body.data(), static_cast<qsizetype>(body.size())));
    return wait(reply, timeout_ms);
}

radioref::HttpResult QtHttpClient::wait(QNetworkReply* reply, int timeout_ms) {
    radioref::HttpResult result;
    if (current_) {
        // A click that got through while another request waits: one at a time.
        reply->abort();
        reply->deleteLater();
        result.error = "Another request is still waiting";
        return result;
    }
    current_ = reply;
    cancelled_ = false;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timed_out = false;
    connect(&timer, &QTimer::timeout, &loop, [&] {
        timed_out = true;
        reply->abort();
    });
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    connect(reply, &QNetworkReply::downloadProgress, this, &QtHttpClient::progress);
    connect(reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
        if (Progress* p = transfer_progress) {
            p->label(radioref::received_text(received, total));
            p->pump();
        }
    });
    timer.start(timeout_ms);
    if (!reply->isFinished())
        loop.exec(accept_input_ ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    timer.stop();
    QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    result.status = status.isValid() ? status.toInt() : 0;
    // An aborted reply is closed: there is nothing to read.
    QByteArray bytes = reply->isOpen() ? reply->readAll() : QByteArray();
    result.body.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    result.timed_out = timed_out;
    result.cancelled = cancelled_ && !timed_out;
    // An HTTP error status still carries the service's answer (its faults come with 500).
    result.done = !timed_out && !cancelled_ && result.status != 0;
    if (!result.done)
        result.error = timed_out    ? std::string("timed out")
                       : cancelled_ ? std::string("Cancelled")
                                    : reply->errorString().toStdString();
    reply->deleteLater();
    current_ = nullptr;
    return result;
}

}  // namespace tarvex
