#pragma once
// The system form (trunked systems) and the department form (conventional systems): the SIN
// record with its trunk options and, for Motorola systems, the fleet map. The form writes back
// when the user saves, and before the session saves, copies, deletes or selects another node.
#include <QWidget>
#include <array>

#include "core/editor/record_editors.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tarvex {

class EditingSession;

class SystemEditor : public QWidget {
    Q_OBJECT
  public:
    // `department`: the shorter form, without trunk options and fleet map.
    SystemEditor(EditingSession& session, bool department, QWidget* parent = nullptr);

    void show_system(int system);
    int system() const { return system_; }
    bool is_dirty() const { return dirty_; }
    // Saves the shown record when it was edited.
    void write_back();
    // Saves now (the Save buttons).
    void save();
    // Shows nothing; nothing is written.
    void forget();

    QLineEdit* name_edit() const { return name_; }
    QComboBox* type_box() const { return type_; }
    QSpinBox* fleet_block(int i) const { return fleet_[i]; }

  signals:
    // The system's name as typed, for the browser.
    void renamed(const QString& key, const QString& name);

  private:
    void fill(const SystemForm& form);
    SystemForm collect() const;
    void edited();
    void update_enabled();

    EditingSession& session_;
    bool department_;
    int system_ = 0;
    bool dirty_ = false;
    bool loading_ = false;
    SystemForm shown_;

    QLabel* title_ = nullptr;
    QComboBox* type_ = nullptr;
    QLineEdit* system_id_ = nullptr;
    QLineEdit* name_ = nullptr;
    QCheckBox* avoid_ = nullptr;
    QLineEdit* date_ = nullptr;
    QGroupBox* trunk_box_ = nullptr;
    QCheckBox* trunk_switch_ = nullptr;
    QComboBox* alert_tone_ = nullptr;
    QComboBox* alert_level_ = nullptr;
    QCheckBox* status_switch_ = nullptr;
    QComboBox* nac_ = nullptr;
    QGroupBox* fleet_box_ = nullptr;
    std::array<QSpinBox*, 8> fleet_{};
    QWidget* body_ = nullptr;
};

}  // namespace tarvex
