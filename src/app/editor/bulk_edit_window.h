#pragma once
// "Bulk Channel Edit": the system choice, the checkable list of channel or talkgroup lines, the
// settings to set and Apply. Every rule is in core/editor/bulk_edit.h; the window shows the list,
// collects the ticks and reports how many lines changed.
#include <QAbstractListModel>
#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/editor/bulk_edit.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListView;
class QPushButton;
class QRadioButton;

namespace tarvex {

class EditingSession;
class Settings;
class SystemStore;

// The line list: one checkable row per line, its text the system, group, value and tag.
class BulkLineModel : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit BulkLineModel(const SystemStore& store, QObject* parent = nullptr);

    void set_lines(std::vector<BulkLine> lines);
    const std::vector<BulkLine>& lines() const { return lines_; }
    // The lines' texts changed on file (after Apply); the ticks stay.
    void refresh_texts(const std::vector<BulkLine>& lines);
    void set_all(bool ticked);
    void set_ticks(const std::vector<bool>& ticks);
    std::vector<BulkLine> ticked() const;
    int ticked_count() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  signals:
    void ticks_changed();

  private:
    const SystemStore& store_;
    std::vector<BulkLine> lines_;
    std::vector<char> ticked_;
};

class BulkEditWindow : public QWidget {
    Q_OBJECT
  public:
    BulkEditWindow(EditingSession& session, Settings& settings, QWidget* parent = nullptr);

    // Fills the list for the chosen kind and system again from the group files.
    void fill_list();
    // Apply as the button does; returns what it changed.
    BulkResult apply();
    // Ticks the lines within the home range (after the home location was read).
    void select_by_distance();

    BulkKind kind() const;
    BulkLineModel* line_model() const { return model_; }
    QListView* line_view() const { return list_; }
    QComboBox* system_box() const { return systems_; }
    QCheckBox* setting_box(const QString& caption) const;
    QComboBox* value_box(const QString& caption) const;
    QLabel* changed_label() const { return changed_; }

  private:
    void build_ui();
    void kind_changed();
    void show_details(const QModelIndex& index);
    void update_counts();

    EditingSession& session_;
    Settings& settings_;
    BulkLineModel* model_ = nullptr;
    QRadioButton* channels_ = nullptr;
    QRadioButton* talkgroups_ = nullptr;
    QComboBox* systems_ = nullptr;
    QListView* list_ = nullptr;
    QLabel* count_ = nullptr;
    QLabel* changed_ = nullptr;
    std::map<std::string, QLabel*> details_;
    struct SettingRow {
        QCheckBox* tick;
        QComboBox* values;
    };
    std::map<std::string, SettingRow> settings_rows_;
};

}  // namespace tarvex
