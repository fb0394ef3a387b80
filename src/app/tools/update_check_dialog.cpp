#include "app/tools/update_check_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "app/common/latin1.h"
#include "core/editor/update_check.h"

namespace tarvex {

std::optional<std::string> fetch_text(const QString& address, int timeout_ms, QString& error) {
    QUrl url(address.trimmed());
    if (!url.isValid() || url.scheme().isEmpty()) {
        error = QStringLiteral("not a web address");
        return std::nullopt;
    }
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(timeout_ms);
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // The transfer time-out covers a stalled answer; this one a connection that never starts.
    QTimer::singleShot(timeout_ms + 1000, &loop, [reply] { reply->abort(); });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    std::optional<std::string> body;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError)
        error = reply->errorString();
    else if (status != 0 && status != 200)
        error = QStringLiteral("HTTP %1").arg(status);
    else {
        QByteArray bytes = reply->read(64 * 1024);
        body = std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
    }
    reply->deleteLater();
    return body;
}

UpdateCheckDialog::UpdateCheckDialog(Settings& settings, QString running_version, QWidget* parent)
    : QDialog(parent), settings_(settings), running_(std::move(running_version)) {
    setObjectName(QStringLiteral("frm_update_check"));
    setWindowTitle(tr("Check for Updates"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(tr("This is Tarvex %1. Address of the version file:").arg(running_), this));
    address_ = new QLineEdit(to_q(update_address(settings_)), this);
    address_->setObjectName(QStringLiteral("txt_address"));
    address_->setPlaceholderText(QStringLiteral("https://.../latest.json"));
    layout->addWidget(address_);
    check_ = new QPushButton(tr("Check"), this);
    check_->setObjectName(QStringLiteral("cmd_check"));
    layout->addWidget(check_);
    result_ = new QLabel(this);
    result_->setObjectName(QStringLiteral("lbl_result"));
    result_->setWordWrap(true);
    result_->setTextInteractionFlags(Qt::TextBrowserInteraction);
    layout->addWidget(result_);
    at_startup_ = new QCheckBox(tr("Check quietly each time Tarvex starts"), this);
    at_startup_->setObjectName(QStringLiteral("chk_startup"));
    at_startup_->setChecked(startup_check_allowed(settings_));
    connect(at_startup_, &QCheckBox::toggled, this,
            [this](bool on) { set_startup_check(settings_, on); });
    layout->addWidget(at_startup_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(check_, &QPushButton::clicked, this, &UpdateCheckDialog::check);
    resize(480, 200);
}

void UpdateCheckDialog::check() {
    set_update_address(settings_, from_q(address_->text()));
    const std::string address = update_address(settings_);
    std::optional<std::string> answer;
    QString error;
    if (!address.empty()) {
        result_->setText(tr("Asking %1\u2026").arg(to_q(address)));
        check_->setEnabled(false);
        answer = fetch_text(to_q(address), timeout_ms, error);
        check_->setEnabled(true);
    }
    result_->setText(to_q(update_message(from_q(running_), address, answer, from_q(error))));
}

}  // namespace tarvex
