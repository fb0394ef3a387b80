#include "app/radioref/rr_call_bar.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include "app/common/qt_progress.h"
#include "app/platform/qt_http_client.h"

namespace tarvex {

RrCallBar::RrCallBar(QtHttpClient& http, QWidget* parent) : QWidget(parent), http_(&http) {
    setObjectName("rr_call_bar");
    // Cancel must be clickable while a call waits; begin() disables everything else.
    http.setAcceptUserInput(true);
    row_ = new QHBoxLayout(this);
    row_->setContentsMargins(0, 0, 0, 0);
    status_ = new QLabel;
    status_->setObjectName("lbl_status");
    progress_label_ = new QLabel;
    progress_label_->setObjectName("lbl_progress");
    bar_ = new QProgressBar;
    bar_->setObjectName("rr_progress");
    bar_->setMaximumWidth(160);
    bar_->setTextVisible(false);
    bar_->setRange(0, 1);
    bar_->setValue(0);
    // Shown only while a call waits: an idle bar reads as an empty box.
    bar_->setVisible(false);
    cancel_ = new QPushButton("Cancel");
    cancel_->setObjectName("cmdCancel");
    cancel_->setEnabled(false);
    row_->addWidget(status_, 1);
    row_->addWidget(progress_label_);
    row_->addWidget(bar_);
    row_->addWidget(cancel_);

    progress_ = std::make_unique<QtProgress>(progress_label_, status_);
    http.transfer_progress = progress_.get();
    connect(&http, &QtHttpClient::progress, this, [this](qint64 received, qint64 total) {
        // The share of the answer when the service says how big it is; otherwise a busy bar.
        bar_->setRange(0, total > 0 ? 1000 : 0);
        if (total > 0) bar_->setValue(static_cast<int>(received * 1000 / total));
    });
    connect(cancel_, &QPushButton::clicked, this, &RrCallBar::cancel);
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WindowShortcut);
    connect(esc, &QShortcut::activated, this, &RrCallBar::cancel);
}

RrCallBar::~RrCallBar() {
    // The window may already have destroyed its transport (it owns it; we are its child).
    if (http_ && http_->transfer_progress == progress_.get()) http_->transfer_progress = nullptr;
}

void RrCallBar::guard(std::vector<QWidget*> widgets) {
    for (QWidget* w : widgets) guarded_.emplace_back(w);
}

void RrCallBar::addButton(QWidget* button) {
    row_->insertWidget(row_->indexOf(cancel_), button);
}

bool RrCallBar::begin(const QString& doing) {
    if (in_call_) return false;
    in_call_ = true;
    cancelled_ = false;
    were_enabled_.clear();
    for (const auto& w : guarded_) {
        were_enabled_.push_back(w && w->isEnabled());
        if (w) w->setEnabled(false);
    }
    cancel_->setEnabled(true);
    bar_->setRange(0, 0);
    bar_->setValue(0);
    bar_->setVisible(true);
    progress_label_->clear();
    if (!doing.isEmpty()) status_->setText(doing);
    return true;
}

void RrCallBar::end() {
    if (!in_call_) return;
    in_call_ = false;
    for (size_t i = 0; i < guarded_.size(); ++i)
        if (guarded_[i]) guarded_[i]->setEnabled(were_enabled_[i]);
    cancel_->setEnabled(false);
    bar_->setRange(0, 1);
    bar_->setValue(0);
    bar_->setVisible(false);
    progress_label_->clear();
}

void RrCallBar::cancel() {
    if (!in_call_) return;
    cancelled_ = true;
    if (http_) http_->cancel();
}

void RrCallBar::setStatus(const QString& text) {
    status_->setText(text);
}

QString RrCallBar::statusText() const {
    return status_->text();
}

bool RrCallBar::deferClose(QCloseEvent* event) {
    if (!in_call_) return false;
    cancel();
    event->ignore();
    QTimer::singleShot(0, window(), &QWidget::close);
    return true;
}

}  // namespace tarvex
