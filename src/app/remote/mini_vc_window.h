#pragma once
// The small companion of the Virtual Control window: the current reception in a compact box
// that can stay above every other window. Double-clicking the text switches between the two
// display modes; its place and mode are kept under section "minivc".
#include <QWidget>

#include "core/remote/virtual_control.h"
#include "core/settings/settings.h"

class QLabel;
class QCheckBox;

namespace tarvex {

class MiniVcWindow : public QWidget {
    Q_OBJECT
  public:
    MiniVcWindow(Settings& settings, remote::VirtualControl& vc, QWidget* parent = nullptr);
    int mode() const { return mode_; }
    void set_mode(int mode);
    void set_on_top(bool on);
    bool on_top() const { return on_top_; }
    void refresh();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Settings& settings_;
    remote::VirtualControl& vc_;
    QLabel* text_ = nullptr;
    QCheckBox* on_top_box_ = nullptr;
    int mode_ = 1;
    bool on_top_ = false;
};

}  // namespace tarvex
