#pragma once
// HTTP for the RadioReference client over Qt Network: each request waits in a local event loop,
// so windows keep painting and a Cancel button can end the wait; a time-out aborts it.
#include <QObject>
#include <QPointer>

#include "core/radioref/http_client.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace tarvex {

class QtHttpClient : public QObject, public radioref::HttpClient {
    Q_OBJECT
  public:
    explicit QtHttpClient(QObject* parent = nullptr);
    ~QtHttpClient() override;

    radioref::HttpResult get(const std::string& url, const std::string& user,
                             const std::string& password, int timeout_ms) override;
    radioref::HttpResult post(const std::string& url, const std::string& soap_action,
                              const std::string& body, int timeout_ms) override;

    // Ends the request that is waiting (its result reads as cancelled).
    void cancel();
    bool busy() const { return !current_.isNull(); }
    // A window with a Cancel button lets clicks through while a request waits (and guards its
    // own controls); otherwise user input waits until the answer is in.
    void setAcceptUserInput(bool on) { accept_input_ = on; }

  signals:
    // Bytes received so far and the expected total (-1 when unknown), for progress bars.
    void progress(qint64 received, qint64 total);

  private:
    radioref::HttpResult wait(QNetworkReply* reply, int timeout_ms);
    QNetworkAccessManager* manager_;
    QPointer<QNetworkReply> current_;
    bool cancelled_ = false;
    bool accept_input_ = false;
};

}  // namespace tarvex
