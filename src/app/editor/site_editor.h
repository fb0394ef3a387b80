#pragma once
// The site form: the SIF record, the site's frequencies (Frequency, LCN, ColorCode) and its
// six-row custom bandplan.
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "core/editor/record_editors.h"

class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;

namespace tarvex {

class EditingSession;
class GridModel;
class GridView;
class Settings;

class SiteEditor : public QWidget {
    Q_OBJECT
  public:
    SiteEditor(EditingSession& session, Settings& settings, QWidget* parent = nullptr);

    void show_site(int system, int site);
    int system() const { return system_; }
    int site() const { return site_; }
    bool is_dirty() const { return dirty_; }
    void write_back();
    void save();
    void forget();
    void save_column_widths();

    GridView* frequency_view() const { return freq_view_; }
    GridModel* frequency_model() const { return freq_model_; }
    QLineEdit* name_edit() const { return name_; }
    QLineEdit* bandplan_edit(int row, int col) const;  // col 0 lower, 1 upper, 3 offset
    QComboBox* step_box(int row) const { return steps_[row]; }

    // Where the map link is opened (the default browser); tests replace it.
    std::function<void(const std::string& url)> open_url;

    // The bandplan dialogs on the six rows, and the location dialog on the site's position.
    void open_motorola_plan();
    void open_p25_plan();
    void open_location();
    // Runs a modal dialog of the editor (its result code); tests replace it.
    std::function<int(QDialog& dialog)> run_dialog;

  signals:
    void renamed(const QString& key, const QString& name);

  private:
    void fill(const SiteForm& form);
    SiteForm collect() const;
    void fill_bandplan(const Bandplan& plan);
    void edited();
    void freq_edited(int grid_row, int col, const std::string& value);
    void delete_rows();
    int run(QDialog& dialog);

    EditingSession& session_;
    Settings& settings_;
    int system_ = 0, site_ = 0;
    bool dirty_ = false;
    bool loading_ = false;

    QLabel* title_ = nullptr;
    QLineEdit* name_ = nullptr;
    QCheckBox* avoid_ = nullptr;
    QLineEdit* latitude_ = nullptr;
    QLineEdit* longitude_ = nullptr;
    QLineEdit* range_ = nullptr;
    QComboBox* modulation_ = nullptr;
    QComboBox* motorola_band_ = nullptr;
    QComboBox* edacs_band_ = nullptr;
    QComboBox* shape_ = nullptr;
    QCheckBox* attenuator_ = nullptr;
    GridView* freq_view_ = nullptr;
    GridModel* freq_model_ = nullptr;
    std::array<QLineEdit*, k_bandplan_rows> lower_{}, upper_{}, offset_{};
    std::array<QComboBox*, k_bandplan_rows> steps_{};
};

}  // namespace tarvex
