#pragma once
// "Easy Fill Channels" (start, end, step) and "Easy Fill Trunk" (first, count, increment), both
// with an alpha-tag pattern. The dialog shows what the fill will give, or why it cannot, as the
// values are typed; OK is offered only for a fill that can be made.
#include <QDialog>
#include <string>
#include <vector>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace tarvex {

struct EasyFillRequest {
    std::vector<std::string> values;  // frequencies (MHz text) or talkgroups, in order
    std::string pattern;
    int first_number = 1;
};

class EasyFillDialog : public QDialog {
    Q_OBJECT
  public:
    // `room`: how many rows the open grid can still take.
    EasyFillDialog(bool talkgroups, int room, QWidget* parent = nullptr);

    // The fill as typed; empty values when it cannot be made.
    EasyFillRequest request() const;
    QString problem() const;

    QLineEdit* first_edit() const { return first_; }    // start frequency / first talkgroup
    QLineEdit* second_edit() const { return second_; }  // end frequency / count
    QLineEdit* step_edit() const { return step_; }      // step in kHz / increment
    QLineEdit* pattern_edit() const { return pattern_; }
    QSpinBox* number_edit() const { return number_; }
    QLabel* preview() const { return preview_; }
    QDialogButtonBox* buttons() const { return buttons_; }

  private:
    void update_preview();

    bool talkgroups_;
    int room_;
    QLineEdit* first_ = nullptr;
    QLineEdit* second_ = nullptr;
    QLineEdit* step_ = nullptr;
    QLineEdit* pattern_ = nullptr;
    QSpinBox* number_ = nullptr;
    QLabel* preview_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace tarvex
