#pragma once
// Turning what the user ticked in the RadioReference import window into systems of the working
// database: a trunked system with its sites, site frequencies, bandplans, one group per
// talkgroup category and the talkgroup rows; or a conventional system with one group per
// subcategory and its channel rows. Rows go into the group channel files in the grids' own
// layout, so imported groups open like any other.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/radioref/rr_service.h"

namespace tarvex {
class SystemStore;
class GroupFiles;
class Prompter;
}  // namespace tarvex

namespace tarvex::radioref {

// The import options of the window, with the settings keys they are kept under.
struct ImportOptions {
    bool use_alpha = true;       // Check5 "useroptc4": the alpha tag, else the description
    bool remove_blanks = false;  // Check3 "useroptc2"
    bool upper = false;          // Check7 "useroptc5"
    bool afs = false;            // Check9 "useroptc6": EDACS talkgroups in AFS notation
    bool cc_pri = true;          // check8(0) "ccpri": write frequencies marked "d"
    bool cc_alt = true;          // check8(1) "ccalt": write frequencies marked "a"
    bool cc_all = true;          // check8(3) "ccall": write every ticked frequency
    int untagged_trunk = 21;     // "untag_trunk": service tag for talkgroups without one
    int untagged_conv = 21;      // "untag_conv"
    bool alerts = false;         // Check13 with Combo3..5
    std::string alert_tone = "Off", alert_level = "Auto", alert_light = "Off";
    bool warn_lcn = true;  // the "Edacs/LTR LCN warning" is shown
    int alpha_length = 64;
};

enum class ScannerType {
    mot_800,
    mot_vhf_uhf,
    edacs_standard,
    edacs_narrow,
    ltr,
    p25_auto,
    p25_x2,
    mototrbo
};

// The band label of a system: "VHF", "UHF" or "" (no bandplan).
std::string band_label(const TrsDetails& details);
ScannerType decide_scanner_type(const TrsDetails& details);
std::string_view scanner_type_name(ScannerType type);

// Text cleaning of alpha tags and names.
std::string clean_rr_text(std::string_view text);
// The site-name cleaning of the editor: '"' and '=' become '_', control characters go.
std::string clean_name(std::string_view text);
// The alpha tag of a talkgroup or channel from its alpha tag and description.
std::string choose_alpha(std::string_view alpha, std::string_view descr, const ImportOptions& o);
// LTR talkgroups brought to six digits ("1012" -> "100012", "10123" -> "100123").
std::string ltr_six_digits(std::string_view value);
// The system name from the window's name boxes: option 1 the first box cleaned, option 2 the
// second box, otherwise "".
std::string system_name_from_boxes(std::string_view first, std::string_view second, int option,
                                   int alpha_length);
// "MCP,type,..." from the system's bandplan entries.
std::string bandplan_line(const std::vector<Bandplan>& plan);
// Squelch mode and code of a conventional tone text.
struct Squelch {
    std::string mode, code;
};
Squelch squelch_from_tone(std::string_view tone);

struct ChosenSite {
    TrsSite site;
    std::vector<SiteFreq> freqs;  // the ticked frequencies
};
struct ChosenTalkgroup {
    Talkgroup tg;
    TgCategory category;
};
struct TrsImport {
    int sid = 0;
    std::string name;  // N
    TrsDetails details;
    std::vector<ChosenSite> sites;
    std::vector<ChosenTalkgroup> talkgroups;
    int tg_filters_ticked = 1;  // the Check1 boxes that are on
};

struct ChosenFrequency {
    Frequency freq;
    Subcat subcat;
};
struct ConvImport {
    std::string name;  // "" gives "New System"
    std::vector<ChosenFrequency> freqs;
    int tg_filters_ticked = 1;
};

struct ImportReport {
    bool ok = false;
    int system = 0;
    int sites = 0, site_frequencies = 0, bandplans = 0, groups = 0, rows = 0;
    std::vector<std::string> skipped;  // "what: why", one per skipped item
    std::string message;               // the message that stopped the import, if any
    std::string summary() const;
};

// Looks a county's position up for sites without one (nullopt: leave the site's own).
using CountyLookup = std::function<std::optional<CountyInfo>(int ctid)>;

ImportReport import_trunked(const TrsImport& in, const ImportOptions& o, SystemStore& store,
                            GroupFiles& files, Prompter& prompter, const CountyLookup& county = {});
ImportReport import_conventional(const ConvImport& in, const ImportOptions& o, SystemStore& store,
                                 GroupFiles& files, Prompter& prompter);

inline constexpr int k_max_site_frequencies = 100;

}  // namespace tarvex::radioref
