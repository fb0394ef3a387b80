#pragma once
// Progress of long work in the main window: the progress label, the first status-bar panel and
// a throttled event pump so the window repaints without spending the work's time on events.
#include <QElapsedTimer>
#include <QPointer>

#include "core/base/progress.h"

class QLabel;

namespace tarvex {

class QtProgress : public Progress {
  public:
    QtProgress(QLabel* progress_label, QLabel* status_label);
    void label(std::string_view text) override;
    void status(std::string_view text) override;
    void pump() override;

  private:
    QPointer<QLabel> label_;
    QPointer<QLabel> status_;
    QElapsedTimer since_pump_;
};

}  // namespace tarvex
