#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "core/settings/folders.h"
#include "core/settings/setting_keys.h"
#include "core/settings/settings.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using tarvex::test::read_file;
using tarvex::test::TempDir;
using tarvex::test::write_file;

namespace {

struct Stores {
    tarvex::MemorySettingsBackend main;
    tarvex::MemorySettingsBackend import;
    tarvex::Settings settings{main, import};
};

}  // namespace

TEST(StoredForm, DefaultsAreGivenAndReadInStoredForm) {
    Stores s;
    EXPECT_EQ(s.settings.GetSetting("", "wleft", "100x"), "100");
    // A default written without its letter loses a real character.
    EXPECT_EQ(s.settings.GetSetting("gps", "def_range", "10"), "1");
    EXPECT_EQ(
        s.settings.GetSetting("gps", "def_range", tarvex::setting_default("gps", "def_range")),
        "10");
}

TEST(StoredForm, SavedValuesCarryOneLetterThatReadingRemoves) {
    Stores s;
    s.settings.SaveSetting("com", "comport", "3");
    EXPECT_EQ(s.main.read("com", "comport"), "3x");
    EXPECT_EQ(s.settings.GetSetting("com", "comport", "1x"), "3");

    // Only the appended letter goes; the value's own trailing "x" stays.
    s.settings.SaveSetting("gps", "gpsstate", "Max");
    EXPECT_EQ(s.settings.GetSetting("gps", "gpsstate", "WYx"), "Max");
}

TEST(StoredForm, SavedEmptyTextReadsEmptyNotTheDefault) {
    Stores s;
    s.settings.SaveSetting("", "wleft", "");
    EXPECT_EQ(s.main.read("", "wleft"), "x");
    EXPECT_EQ(s.settings.GetSetting("", "wleft", "100x"), "");
}

TEST(StoredForm, EmptyOrMissingStoredTextFallsBackToTheDefault) {
    Stores s;
    s.main.write("", "wtop", "");  // a value someone cleared outside the program
    EXPECT_EQ(s.settings.GetSetting("", "wtop", "100x"), "100");
}

TEST(StoredForm, NumbersAndTruthValuesReadFromText) {
    Stores s;
    EXPECT_EQ(s.settings.get_int("all", "browser_left", 3200), 3200);
    s.settings.SaveSetting("all", "browser_left", "2800");
    EXPECT_EQ(s.settings.get_int("all", "browser_left", 3200), 2800);

    s.settings.SaveSetting("", "checkupdates", "False");
    EXPECT_FALSE(s.settings.get_bool("", "checkupdates", true));
    s.settings.SaveSetting("gps", "def_ena0", "1");
    EXPECT_TRUE(s.settings.get_bool("gps", "def_ena0", false));
}

TEST(KeySpaces, MainAndImportStoresAreIndependent) {
    Stores s;
    s.settings.SaveSetting("", "country", "7");
    s.settings.SaveImportSetting("country", "2");
    EXPECT_EQ(s.settings.GetSetting("", "country", "1x"), "7");
    EXPECT_EQ(s.settings.GetImportSetting("country", "1x"), "2");
    EXPECT_EQ(s.import.read("", "country"), "2x");
    EXPECT_EQ(s.settings.GetImportSetting("gps_poi", "Grand Canyonx"), "Grand Canyon");
}

TEST(KeyTable, EveryFixedDefaultIsInStoredForm) {
    std::set<std::pair<std::string_view, std::string_view>> seen;
    for (const auto& d : tarvex::k_setting_defaults) {
        EXPECT_TRUE(d.default_stored.empty() || d.default_stored.back() == 'x')
            << d.section << "/" << d.key;
        EXPECT_TRUE(seen.insert({d.section, d.key}).second)
            << "twice: " << d.section << "/" << d.key;
    }
}

TEST(KeyTable, NumberedFamiliesAndUnknownKeys) {
    using tarvex::setting_default;
    EXPECT_EQ(setting_default("options", "optie0"), "testx");
    EXPECT_EQ(setting_default("options", "optie50"), "x");
    EXPECT_EQ(setting_default("options", "optie51"), "");
    EXPECT_EQ(setting_default("gps", "def_ena3"), "1x");
    EXPECT_EQ(setting_default("vc", "wvc14"), "500x");
    EXPECT_EQ(setting_default("", "browser_left"), "");  // lives in section "all"
}

TEST(DataFolders, LayoutIsCreatedUnderThePlatformFolders) {
    TempDir t;
    tarvex::PlatformFolders p{t / "docs", t / "appdata", t / "common", t / "install"};
    tarvex::DataFolders f = tarvex::fix_data_folders(p, 123456);

    EXPECT_EQ(f.data, t / "docs" / "My Scanner Data Files" / "TARVEX");
    EXPECT_EQ(f.data_temp, f.data / "temp");
    EXPECT_EQ(f.service_search, f.data / "ServiceSearch");
    EXPECT_EQ(f.run_temp, t / "appdata" / "norvane" / "TARVEX" / "temp" / "temp123456");
    EXPECT_EQ(f.master_database, t / "common" / "Uniden" / "HomePatrol_Sentinel" / "Database");
    for (const fs::path& dir : {f.data, f.data_temp, f.service_search, f.run_temp}) {
        EXPECT_TRUE(fs::is_directory(dir)) << dir;
    }
    // No installation folder to copy from: the folder is there, empty.
    EXPECT_TRUE(fs::is_empty(f.service_search));
    // Only located: it belongs to Uniden's software.
    EXPECT_FALSE(fs::exists(f.master_database));
    EXPECT_FALSE(fs::exists(f.recordings));

    tarvex::DataFolders with_rec = tarvex::fix_data_folders(p, 1, true);
    EXPECT_TRUE(fs::is_directory(t / "docs" / "My Scanner Recordings" / "TARVEX"));
    EXPECT_EQ(with_rec.recordings, t / "docs" / "My Scanner Recordings" / "TARVEX");
}

TEST(DataFolders, ServiceSearchIsFilledOnlyWhenItIsCreated) {
    TempDir t;
    fs::create_directories(t / "install" / "hpd files" / "extra");
    write_file(t / "install" / "hpd files" / "cb.hpd", "shipped cb");
    write_file(t / "install" / "hpd files" / "extra" / "x.hpd", "nested");
    tarvex::PlatformFolders p{t / "docs", t / "appdata", t / "common", t / "install"};

    tarvex::DataFolders f = tarvex::fix_data_folders(p, 10);
    EXPECT_EQ(read_file(f.service_search / "cb.hpd"), "shipped cb");
    EXPECT_EQ(read_file(f.service_search / "extra" / "x.hpd"), "nested");

    write_file(f.service_search / "cb.hpd", "user's own cb");
    fs::remove(f.service_search / "extra" / "x.hpd");
    tarvex::fix_data_folders(p, 20);
    EXPECT_EQ(read_file(f.service_search / "cb.hpd"), "user's own cb");
    EXPECT_FALSE(fs::exists(f.service_search / "extra" / "x.hpd"));
}

TEST(RunTemp, TwoStartsInTheSameTenthGetTheirOwnFolders) {
    TempDir t;
    tarvex::PlatformFolders p{t / "docs", t / "appdata", t / "common", t / "install"};
    fs::path parent = t / "appdata" / "norvane" / "TARVEX" / "temp";
    fs::create_directories(parent / "temp501");  // left by a crashed run

    tarvex::DataFolders first = tarvex::fix_data_folders(p, 500);
    tarvex::DataFolders second = tarvex::fix_data_folders(p, 500);
    EXPECT_EQ(first.run_temp, parent / "temp500");
    EXPECT_EQ(second.run_temp, parent / "temp502");
    EXPECT_TRUE(fs::is_directory(second.run_temp));
}

TEST(RunTemp, NumberIsTheTimeOfDayInTenths) {
    long long n = tarvex::run_temp_number_now();
    EXPECT_GE(n, 0);
    EXPECT_LT(n, 864000);
    auto at = std::chrono::system_clock::from_time_t(0) + std::chrono::milliseconds(1250);
    // The whole-second part depends on the time zone; the tenths come from the clock alone.
    EXPECT_EQ(tarvex::run_temp_number(at) % 10, 2);
}

TEST(RunTemp, RemovingTakesOnlyTheRunFolder) {
    TempDir t;
    tarvex::PlatformFolders p{t / "docs", t / "appdata", t / "common", t / "install"};
    tarvex::DataFolders mine = tarvex::fix_data_folders(p, 7);
    tarvex::DataFolders other = tarvex::fix_data_folders(p, 7);
    write_file(mine.run_temp / "GRP-001-001.txt", "1,row");

    tarvex::remove_run_temp(mine);
    EXPECT_FALSE(fs::exists(mine.run_temp));
    EXPECT_TRUE(fs::is_directory(other.run_temp));
    EXPECT_TRUE(fs::is_directory(mine.data_temp));
}
