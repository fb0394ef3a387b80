#include "core/radioref/rr_settings.h"

#include "core/base/text.h"
#include "core/radioref/rr_codes.h"
#include "core/radioref/soap_client.h"
#include "core/settings/settings.h"

namespace tarvex::radioref {

namespace {

bool flag(const Settings& s, std::string_view key, bool fallback) {
    return s.GetImportSetting(key, fallback ? "1x" : "0x") == "1";
}

void set_flag(Settings& s, std::string_view key, bool v) {
    s.SaveImportSetting(key, v ? "1" : "0");
}

}  // namespace

ImportOptions load_import_options(const Settings& s) {
    ImportOptions o;
    o.use_alpha = flag(s, "useroptc4", true);
    o.remove_blanks = flag(s, "useroptc2", false);
    o.upper = flag(s, "useroptc5", false);
    o.afs = flag(s, "useroptc6", false);
    o.cc_pri = flag(s, "ccpri", true);
    o.cc_alt = flag(s, "ccalt", true);
    o.cc_all = flag(s, "ccall", true);
    o.untagged_trunk = static_cast<int>(lenient_integer(s.GetImportSetting("untag_trunk", "21x")));
    o.untagged_conv = static_cast<int>(lenient_integer(s.GetImportSetting("untag_conv", "21x")));
    o.alerts = flag(s, "rr_alerts", false);
    o.alert_tone = s.GetImportSetting("rr_alert_tone", "Offx");
    o.alert_level = s.GetImportSetting("rr_alert_level", "Autox");
    return o;
}

void save_import_options(Settings& s, const ImportOptions& o) {
    set_flag(s, "useroptc4", o.use_alpha);
    set_flag(s, "useroptc2", o.remove_blanks);
    set_flag(s, "useroptc5", o.upper);
    set_flag(s, "useroptc6", o.afs);
    set_flag(s, "ccpri", o.cc_pri);
    set_flag(s, "ccalt", o.cc_alt);
    set_flag(s, "ccall", o.cc_all);
    s.SaveImportSetting("untag_trunk", std::to_string(o.untagged_trunk));
    s.SaveImportSetting("untag_conv", std::to_string(o.untagged_conv));
    set_flag(s, "rr_alerts", o.alerts);
    s.SaveImportSetting("rr_alert_tone", o.alert_tone);
    s.SaveImportSetting("rr_alert_level", o.alert_level);
}

std::string stored_base_url(const Settings& s) {
    std::string url =
        trim(s.GetImportSetting(k_key_base_url, std::string(k_default_base_url) + "x"));
    if (url.empty()) url = std::string(k_default_base_url);
    if (url.back() != '/') url += '/';
    return url;
}

AppKey app_key_from(std::string_view setting) {
    std::optional<std::string> key = app_key_setting(setting);
    if (key && key->empty()) return {std::to_string(k_program_app_key), {}};
    if (key) return {*key, {}};
    return {{},
            "The RadioReference application key must be 8 decimal digits (setting " +
                std::string(k_key_app_key) + " is \"" + std::string(setting) + "\")."};
}

AppKey stored_app_key(const Settings& s) {
    return app_key_from(s.GetImportSetting(k_key_app_key, "x"));
}

std::set<int> load_service_type_filter(const Settings& s) {
    std::set<int> admitted;
    for (int n : service_tag_numbers())
        if (s.GetSetting("RRservicetype", "servtype" + std::to_string(n), "Truex") == "True")
            admitted.insert(n);
    return admitted;
}

void save_service_type_filter(Settings& s, const std::set<int>& ticked) {
    for (int n : service_tag_numbers())
        s.SaveSetting("RRservicetype", "servtype" + std::to_string(n), "False");
    for (int n : ticked)
        if (!ServiceTagName(n).empty())
            s.SaveSetting("RRservicetype", "servtype" + std::to_string(n), "True");
}

}  // namespace tarvex::radioref
