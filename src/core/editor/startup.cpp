// Start-up and shutdown of the editor: the settings the main window reads and writes, the
// firmware warning, and the clean-up of the run's group files.
#include <algorithm>

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/session.h"
#include "core/model/group_files.h"
#include "core/settings/settings.h"

namespace tarvex {

namespace {
bool is_true(std::string_view text) {
    std::string t = to_lower(trim(text));
    return t == "true" || t == "1";
}
int number_or(const std::string& text, int fallback) {
    std::string t = trim(text);
    return t.empty() ? fallback : static_cast<int>(lenient_integer(t));
}
}  // namespace

StartupSettings read_startup_settings(const Settings& settings, int default_width,
                                      int default_height) {
    StartupSettings v;
    v.multihpd = trim(settings.GetSetting("", "multihpd", "")) == "1";
    v.comport = settings.GetSetting("com", "comport", "1x");
    v.baudrate = settings.GetSetting("com", "baudrate", "57600x");
    if (std::find(k_baud_rates.begin(), k_baud_rates.end(), v.baudrate) == k_baud_rates.end())
        v.baudrate = "57600";
    v.options[0] = settings.GetSetting("options", "optie0", "testx");
    for (int i = 1; i < static_cast<int>(v.options.size()); ++i)
        v.options[i] = settings.GetSetting("options", "optie" + std::to_string(i), "x");
    v.checkupdates = is_true(settings.GetSetting("", "checkupdates", "Truex"));
    v.hp2model = is_true(settings.GetSetting("", "hp2model", "Falsex"));
    v.treesort = tree_ordering_from_setting(settings.GetSetting("", "treesort", ""));
    v.def_lat = settings.GetSetting("gps", "def_lat", "");
    v.def_long = settings.GetSetting("gps", "def_long", "");
    v.def_range = settings.GetSetting("gps", "def_range", "10x");
    for (int i = 0; i < 4; ++i)
        v.def_ena[i] = trim(settings.GetSetting("gps", "def_ena" + std::to_string(i), "1x")) == "1";
    WindowPlace& p = v.place;
    p.left = number_or(settings.GetSetting("", "wleft", "100x"), 100);
    p.top = number_or(settings.GetSetting("", "wtop", "100x"), 100);
    p.width = number_or(settings.GetSetting("", "wwidth", std::to_string(default_width) + "x"),
                        default_width);
    p.height = number_or(settings.GetSetting("", "wheight", std::to_string(default_height) + "x"),
                         default_height);
    p.state = number_or(settings.GetSetting("", "wstate", "0x"), 0);
    p.browser_left = number_or(settings.GetSetting("all", "browser_left", "3200x"), 3200);
    return v;
}

void write_shutdown_settings(Settings& settings, const StartupSettings& v) {
    settings.SaveSetting("com", "comport", v.comport);
    settings.SaveSetting("com", "baudrate", v.baudrate);
    settings.SaveSetting("", "multihpd", v.multihpd ? "1" : "0");
    settings.SaveSetting("", "hp2model", v.hp2model ? "True" : "False");
    settings.SaveSetting("", "treesort", tree_ordering_setting(v.treesort));
    // A minimised window would come back minimised and off screen: keep the last normal place.
    settings.SaveSetting("", "wstate", std::to_string(v.place.state == 2 ? 2 : 0));
    settings.SaveSetting("", "wleft", std::to_string(v.place.left));
    settings.SaveSetting("", "wtop", std::to_string(v.place.top));
    settings.SaveSetting("", "wwidth", std::to_string(v.place.width));
    settings.SaveSetting("", "wheight", std::to_string(v.place.height));
    settings.SaveSetting("all", "browser_left", std::to_string(v.place.browser_left));
}

bool firmware_warning_due(Settings& settings) {
    if (trim(settings.GetSetting("", "showmsg1", "0x")) == "1") return false;
    settings.SaveSetting("", "showmsg1", "1");
    return true;
}

bool EditingSession::confirm_shutdown(FileChooser* chooser) {
    if (!changed_) return true;
    switch (prompter_.ask(
        {"Changes are not saved yet.", "If not saved, data is lost!", "Continue without saving ?"},
        "Warning", Buttons::SaveDiscardCancel)) {
        case Answer::Yes:
        case Answer::Discard:
            return true;
        case Answer::Save:
            // A cancelled file dialog or a failed write leaves the changes, so the window stays.
            return chooser && save_hpd(*chooser) && !changed_;
        default:
            return false;
    }
}

void EditingSession::shut_down(Settings& settings) {
    files_->close_appender();
    files_->kill_tempies();
    remove_run_temp(folders_);
    write_shutdown_settings(settings, settings_);
}

Startup start_up(const PlatformFolders& platform, Settings& settings, Prompter& prompter,
                 int default_width, int default_height, long long run_number) {
    Startup s;
    s.folders = fix_data_folders(platform, run_number);
    StartupSettings values = read_startup_settings(settings, default_width, default_height);
    s.firmware_warning = firmware_warning_due(settings);
    s.session = std::make_unique<EditingSession>(prompter, s.folders);
    s.session->apply_settings(values);
    s.session->offer_recovery();
    return s;
}

}  // namespace tarvex
