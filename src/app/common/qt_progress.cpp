#include "app/common/qt_progress.h"

#include <QCoreApplication>
#include <QLabel>

#include "app/common/latin1.h"

namespace tarvex {

namespace {
// About twenty repaints a second keep the window alive; more would slow the work down.
constexpr qint64 k_pump_interval_ms = 50;
}  // namespace

QtProgress::QtProgress(QLabel* progress_label, QLabel* status_label)
    : label_(progress_label), status_(status_label) {
    since_pump_.start();
}

void QtProgress::label(std::string_view text) {
    if (label_) label_->setText(to_q(text));
    pump();
}

void QtProgress::status(std::string_view text) {
    if (status_) status_->setText(to_q(text));
    pump();
}

void QtProgress::pump() {
    if (since_pump_.elapsed() < k_pump_interval_ms) return;
    since_pump_.restart();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tarvex
