#pragma once
// Setup -> "Software Options": one page per group of the core's preference table, a control per
// preference named after its id. OK and Apply check every value, offer to create missing folders
// and store what changed; preferences_changed() then names the ids so that open windows take the
// new values at once. Cancel stores nothing (values already applied stay).
#include <QDialog>
#include <QStringList>
#include <functional>
#include <map>
#include <string>

#include "core/settings/preferences.h"

class QTabWidget;

namespace tarvex {

class Prompter;
class Settings;

class PreferencesDialog : public QDialog {
    Q_OBJECT
  public:
    PreferencesDialog(Settings& settings, Prompter& prompter, QWidget* parent = nullptr);

    // The values the controls show, by preference id.
    PreferenceValues values() const;
    // Shows a value in its control (as the user would type or tick it).
    void set_value(const std::string& id, const QString& value);
    // Checks and stores; false when a value was refused (the dialog stays open and the control
    // of that value has the focus).
    bool apply();
    void show_group(std::string_view group);

    // Asked for a folder by the "Browse…" buttons; the argument is the folder shown now. Empty
    // result: nothing chosen. Tests replace it.
    std::function<QString(const QString&)> choose_folder;

  signals:
    void preferences_changed(const QStringList& ids);

  private:
    void build();
    void show_values(const PreferenceValues& values);
    QWidget* build_control(const Preference& p, QWidget* page);
    bool offer_missing_folders(const PreferenceValues& values);
    void ok();

    Settings& settings_;
    Prompter& prompter_;
    QTabWidget* pages_ = nullptr;
    std::map<std::string, QWidget*, std::less<>> controls_;
};

}  // namespace tarvex
