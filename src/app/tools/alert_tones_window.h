#pragma once
// The alert tones of the Tools menu: one button per tone with what it sounds like.
#include <QWidget>

class QLabel;

namespace tarvex {

class AlertTonePlayer;

class AlertTonesWindow : public QWidget {
    Q_OBJECT
  public:
    AlertTonesWindow(AlertTonePlayer& player, QWidget* parent = nullptr);
    QLabel* status() const { return status_; }

  private:
    AlertTonePlayer& player_;
    QLabel* status_ = nullptr;
};

}  // namespace tarvex
