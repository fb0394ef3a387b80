#include "app/editor/data_listener.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include "core/editor/session.h"

namespace tarvex {

DataListener::DataListener(EditingSession& session, QWidget* window, std::function<void()> refresh)
    : QObject(window), session_(session), window_(window), refresh_(std::move(refresh)) {
    setObjectName(QStringLiteral("data_listener"));
    subscription_ = session_.subscribe([this] { changed(); });
    window_->installEventFilter(this);
}

DataListener::~DataListener() {
    session_.unsubscribe(subscription_);
}

void DataListener::changed() {
    stale_ = true;
    if (queued_ || !window_->isVisible()) return;
    queued_ = true;
    QTimer::singleShot(0, this, [this] { run(); });
}

void DataListener::run() {
    queued_ = false;
    if (!stale_ || !window_->isVisible()) return;
    stale_ = false;
    if (refresh_) refresh_();
}

bool DataListener::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Show && stale_ && !queued_) {
        queued_ = true;
        QTimer::singleShot(0, this, [this] { run(); });
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tarvex
