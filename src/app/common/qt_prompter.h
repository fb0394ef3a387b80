#pragma once
// The core's messages and questions as message boxes.
#include <QPointer>
#include <QWidget>

#include "core/base/prompter.h"

namespace tarvex {

class QtPrompter : public Prompter {
  public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void set_parent(QWidget* parent) { parent_ = parent; }

    void tell(std::string_view text, std::string_view title = {}) override;
    Answer ask(const std::vector<std::string>& lines, std::string_view title = "Warning",
               Buttons buttons = Buttons::YesNoCancel) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace tarvex
