#pragma once
// The bandplan dialogs of the site editor: "Motorola Custom Plan:" (six rows of lower, upper,
// step and offset, the presets and the upper-edge calculation) and "Motorola P25 Plan:" (base
// frequencies with their steps). Both edit a copy and hand it back only on "Ok".
#include <QDialog>
#include <array>

#include "core/bandplan/bandplan.h"

class QComboBox;
class QLineEdit;

namespace tarvex {

class MotorolaPlanDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Outcome { Cancel, Ok, AllSites };

    explicit MotorolaPlanDialog(const bandplan::Plan& plan, QWidget* parent = nullptr);

    // The rows as shown now.
    bandplan::Plan plan() const;
    void show_plan(const bandplan::Plan& plan);
    Outcome outcome() const { return outcome_; }

    QLineEdit* lower_edit(int row) const { return lower_[static_cast<size_t>(row)]; }
    QLineEdit* upper_edit(int row) const { return upper_[static_cast<size_t>(row)]; }
    QLineEdit* offset_edit(int row) const { return offset_[static_cast<size_t>(row)]; }
    QComboBox* step_box(int row) const { return steps_[static_cast<size_t>(row)]; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void finish(Outcome outcome);

    std::array<QLineEdit*, bandplan::k_rows> lower_{}, upper_{}, offset_{};
    std::array<QComboBox*, bandplan::k_rows> steps_{};
    Outcome outcome_ = Outcome::Cancel;
};

class P25PlanDialog : public QDialog {
    Q_OBJECT
  public:
    explicit P25PlanDialog(const bandplan::Plan& plan, QWidget* parent = nullptr);
    // The rows with their base frequencies (lower edges) normalised on "Ok".
    bandplan::Plan plan() const { return plan_; }
    QLineEdit* base_edit(int row) const { return base_[static_cast<size_t>(row)]; }
    QComboBox* step_box(int row) const { return steps_[static_cast<size_t>(row)]; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bandplan::Plan plan_;
    std::array<QLineEdit*, bandplan::k_rows> base_{};
    std::array<QComboBox*, bandplan::k_rows> steps_{};
};

}  // namespace tarvex
