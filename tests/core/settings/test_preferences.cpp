#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "core/radioref/rr_settings.h"
#include "core/radioref/soap_client.h"
#include "core/settings/preferences.h"
#include "core/settings/settings.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using tarvex::find_preference;
using tarvex::Preference;
using tarvex::PreferenceValues;
using tarvex::test::TempDir;

namespace {

struct Stores {
    tarvex::MemorySettingsBackend main;
    tarvex::MemorySettingsBackend import;
    tarvex::Settings settings{main, import};
};

const Preference& pref(std::string_view id) {
    const Preference* p = find_preference(id);
    EXPECT_NE(p, nullptr) << id;
    return *p;
}

}  // namespace

TEST(PreferenceTable, EveryEntryHasAUniqueIdAPageAndACaption) {
    std::set<std::string_view> ids;
    std::set<std::pair<std::string_view, std::string_view>> keys;
    for (const Preference& p : tarvex::k_preferences) {
        EXPECT_TRUE(ids.insert(p.id).second) << p.id;
        EXPECT_TRUE(keys.insert({p.section, p.key}).second) << p.key;
        EXPECT_FALSE(p.caption.empty()) << p.id;
        EXPECT_NE(std::find(tarvex::k_preference_groups.begin(), tarvex::k_preference_groups.end(),
                            p.group),
                  tarvex::k_preference_groups.end())
            << p.id;
        // A default must itself be acceptable, or an untouched dialog could not be confirmed.
        EXPECT_FALSE(tarvex::preference_error(p, p.default_value)) << p.id;
    }
    EXPECT_EQ(find_preference("no such preference"), nullptr);
}

TEST(PreferenceTable, DefaultsAreTheOnesTheWindowsUse) {
    Stores s;
    const PreferenceValues v = tarvex::load_preferences(s.settings);
    EXPECT_EQ(v.at("rr_base_url"), tarvex::radioref::k_default_base_url);
    EXPECT_EQ(v.at("card_folders"), "");
    EXPECT_EQ(v.at("masterdb_folder"), "");
    EXPECT_EQ(v.at("serial_port"), "");
    EXPECT_EQ(v.at("rr_app_key"), "");
    EXPECT_EQ(v.at("geocode_service"), "https://maps.googleapis.com");
    // Nothing stored: the warning has not been shown yet, so it will be.
    EXPECT_EQ(v.at("firmware_warning"), "1");
    EXPECT_EQ(v.size(), tarvex::k_preferences.size());
}

struct ValidationCase {
    const char* id;
    const char* value;
    bool accepted;
};

class PreferenceValidation : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(PreferenceValidation, AcceptsOnlyWhatTheReaderCanUse) {
    const ValidationCase& c = GetParam();
    auto error = tarvex::preference_error(pref(c.id), c.value);
    EXPECT_EQ(!error.has_value(), c.accepted)
        << c.id << " = \"" << c.value << "\" " << error.value_or("");
}

INSTANTIATE_TEST_SUITE_P(
    Values, PreferenceValidation,
    ::testing::Values(ValidationCase{"rr_base_url", "https://api.radioreference.com/soap2/", true},
                      ValidationCase{"rr_base_url", "HTTP://127.0.0.1:8080/", true},
                      ValidationCase{"rr_base_url", "  https://example.org  ", true},
                      ValidationCase{"rr_base_url", "", false},
                      ValidationCase{"rr_base_url", "ftp://example.org/", false},
                      ValidationCase{"rr_base_url", "api.radioreference.com", false},
                      ValidationCase{"rr_base_url", "https://", false},
                      ValidationCase{"rr_base_url", "https://:80/", false},
                      ValidationCase{"geocode_service", "http://exa mple.org", false},
                      ValidationCase{"geocode_service", "http://localhost:8089", true},
                      ValidationCase{"rr_app_key", "", true},
                      ValidationCase{"rr_app_key", "12345678", true},
                      ValidationCase{"rr_app_key", " 12345678 ", true},
                      ValidationCase{"rr_app_key", "1234567", false},
                      ValidationCase{"rr_app_key", "123456789", false},
                      ValidationCase{"rr_app_key", "1234abcd", false},
                      ValidationCase{"card_folders", "", true},
                      ValidationCase{"card_folders", "relative/folder", false},
                      ValidationCase{"masterdb_folder", "", true},
                      ValidationCase{"masterdb_folder", "not/absolute", false},
                      ValidationCase{"geocode_key", "anything at all", true},
                      ValidationCase{"serial_port", "/dev/ttyACM0", true},
                      ValidationCase{"firmware_warning", "0", true}));

TEST(PreferenceFolders, MissingFoldersAreListedAndCanBeCreated) {
    TempDir dir;
    const fs::path there = dir.path() / "card";
    const fs::path missing = dir.path() / "new" / "nested";
    fs::create_directories(there);
    const std::string list = there.string() + "\n\n  " + missing.string() + "  \n";
    EXPECT_FALSE(tarvex::preference_error(pref("card_folders"), list));
    auto absent = tarvex::missing_folders(pref("card_folders"), list);
    ASSERT_EQ(absent.size(), 1u);
    EXPECT_EQ(absent[0], missing);
    EXPECT_FALSE(tarvex::create_folders(absent));
    EXPECT_TRUE(fs::is_directory(missing));
    EXPECT_TRUE(tarvex::missing_folders(pref("card_folders"), list).empty());
    // Text preferences name no folders.
    EXPECT_TRUE(tarvex::missing_folders(pref("geocode_key"), missing.string()).empty());
}

TEST(PreferenceFolders, AFolderThatCannotBeCreatedIsReported) {
    TempDir dir;
    const fs::path file = dir.path() / "plain-file";
    tarvex::test::write_file(file, "x");
    auto error = tarvex::create_folders({file / "below"});
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("could not be created"), std::string::npos);
}

TEST(PreferenceStorage, ValuesRoundTripThroughTheStoresTheWindowsRead) {
    Stores s;
    PreferenceValues v = tarvex::load_preferences(s.settings);
    v["card_folders"] = "/media/one\r\n\n /media/two \n";
    v["masterdb_folder"] = "/srv/hpdb";
    v["serial_port"] = "/dev/ttyACM1";
    v["rr_base_url"] = "http://127.0.0.1:9000/soap/";
    v["rr_app_key"] = "87654321";
    v["geocode_service"] = "http://127.0.0.1:8089";
    v["geocode_key"] = "secret";
    v["firmware_warning"] = "0";
    tarvex::PreferenceSave saved = tarvex::save_preferences(s.settings, v);
    ASSERT_FALSE(saved.error) << *saved.error;
    EXPECT_EQ(saved.changed.size(), tarvex::k_preferences.size());

    // Where the readers look, in the form they expect.
    EXPECT_EQ(s.main.read("card", "drive_folders"), "/media/one\n/media/twox");
    EXPECT_EQ(s.settings.GetSetting("masterdb", "folder", "x"), "/srv/hpdb");
    EXPECT_EQ(s.settings.GetSetting("com", "usbdevice", "x"), "/dev/ttyACM1");
    EXPECT_EQ(tarvex::radioref::stored_base_url(s.settings), "http://127.0.0.1:9000/soap/");
    EXPECT_EQ(tarvex::radioref::stored_app_key(s.settings).key, "87654321");
    EXPECT_EQ(s.settings.GetSetting("gps", "geocode_key", "x"), "secret");
    // The warning's own marker: 1 = already shown, so it stays away.
    EXPECT_EQ(s.settings.GetSetting("", "showmsg1", "0x"), "1");

    const PreferenceValues back = tarvex::load_preferences(s.settings);
    EXPECT_EQ(back.at("card_folders"), "/media/one\n/media/two");
    EXPECT_EQ(back.at("firmware_warning"), "0");
    EXPECT_TRUE(tarvex::changed_preferences(back, back).empty());
    // Saving the same values again changes nothing.
    EXPECT_TRUE(tarvex::save_preferences(s.settings, back).changed.empty());
}

TEST(PreferenceStorage, OneBadValueStoresNothingAndNamesTheField) {
    Stores s;
    PreferenceValues v = tarvex::load_preferences(s.settings);
    v["serial_port"] = "/dev/ttyUSB3";
    v["rr_app_key"] = "12ab";
    tarvex::PreferenceSave saved = tarvex::save_preferences(s.settings, v);
    ASSERT_TRUE(saved.error);
    EXPECT_EQ(saved.error->rfind("Application key: ", 0), 0u) << *saved.error;
    EXPECT_TRUE(saved.changed.empty());
    EXPECT_TRUE(s.main.values().empty());
    EXPECT_TRUE(s.import.values().empty());
}

TEST(PreferenceStorage, OnlyChangedValuesAreWrittenAndReported) {
    Stores s;
    PreferenceValues v = tarvex::load_preferences(s.settings);
    v["geocode_key"] = "k";
    tarvex::PreferenceSave saved = tarvex::save_preferences(s.settings, v);
    ASSERT_EQ(saved.changed, std::vector<std::string>{"geocode_key"});
    EXPECT_EQ(s.main.values().size(), 1u);
    EXPECT_TRUE(s.import.values().empty());
    // Ticking the warning back on after it was shown brings it back at the next start.
    s.settings.SaveSetting("", "showmsg1", "1");
    v = tarvex::load_preferences(s.settings);
    EXPECT_EQ(v.at("firmware_warning"), "0");
    v["firmware_warning"] = "1";
    saved = tarvex::save_preferences(s.settings, v);
    EXPECT_EQ(saved.changed, std::vector<std::string>{"firmware_warning"});
    EXPECT_EQ(s.settings.GetSetting("", "showmsg1", "0x"), "0");
}

// A key the dialog lets through must be one the service client sends, and the other way round:
// each refuses with its own message, but the rule is the same.
TEST(PreferenceValidation, TheDialogAndTheServiceClientTakeTheSameApplicationKeys) {
    for (const char* typed : {"", " ", "12345678", " 00000042 ", "1234567", "123456789", "1234abcd",
                              "+1234567", "1234 678", "12345678\n"}) {
        const bool dialog = !tarvex::preference_error(pref("rr_app_key"), typed);
        const tarvex::radioref::AppKey client = tarvex::radioref::app_key_from(typed);
        EXPECT_EQ(dialog, client.error.empty()) << '"' << typed << '"';
        EXPECT_EQ(client.key.empty(), !client.error.empty()) << '"' << typed << '"';
    }
}
