// Trunked and conventional imports, checked line by line for every system type the scanner
// takes, and read back through the HPD writer and reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "core/base/progress.h"
#include "core/base/prompter.h"
#include "core/hpd/hpd_reader.h"
#include "core/hpd/hpd_writer.h"
#include "core/model/group_files.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"
#include "core/radioref/rr_import.h"
#include "rr_test_support.h"

namespace tarvex::radioref {
namespace {

struct Db {
    tarvex::test::TempDir dir;
    RecordingPrompter prompter;
    SystemStore store{prompter};
    GroupFiles files{dir.path() / "run"};
    std::string text(const std::string& key) { return store.get_node_text(key); }
    std::vector<std::string> rows(int s, int g) { return files.read_lines(s, g); }
};

TrsSite site(int number, std::vector<SiteFreq> freqs, std::string lat = "41.5",
             std::string lon = "-91.25", std::string range = "20") {
    TrsSite s;
    s.siteNumber = number;
    s.siteDescr = "Site \"" + std::to_string(number) + "\"=x";
    s.lat = lat;
    s.lon = lon;
    s.range = range;
    s.siteCtid = "841";
    s.freqs = std::move(freqs);
    return s;
}

TrsImport system(int type, int flavor, std::vector<Bandplan> plan = {}) {
    TrsImport in;
    in.sid = 1234;
    in.name = "Test, System";
    in.details.sType = type;
    in.details.sFlavor = flavor;
    in.details.bandplan = std::move(plan);
    in.details.lastUpdated = "2026-01-02";
    TrsSite s = site(7, {{1, "851.05", "d", "", ""}, {2, "852.3375", "", "", ""}});
    in.sites.push_back({s, s.freqs});
    TgCategory cat{55, 1234, 0, "Fire, County", "0", "0", "0", ""};
    Talkgroup tg;
    tg.tgDec = "1001";
    tg.tgAlpha = "FD &amp; EMS, 1";
    tg.tgDescr = "Fire Dispatch";
    tg.tgMode = "D";
    tg.tags = {3};
    in.talkgroups.push_back({tg, cat});
    return in;
}

struct TypeCase {
    const char* what;
    int type, flavor;
    std::vector<Bandplan> plan;
    const char* system_line;
    const char* slot10;
    const char* site_tail;
    const char* tfq;
};

class SystemTypes : public ::testing::TestWithParam<TypeCase> {};

TEST_P(SystemTypes, SystemSiteFrequencyAndTalkgroupLines) {
    const TypeCase& c = GetParam();
    Db db;
    ImportOptions o;
    ImportReport r =
        import_trunked(system(c.type, c.flavor, c.plan), o, db.store, db.files, db.prompter);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(db.text("SYS-001"), std::string(c.system_line));
    EXPECT_EQ(db.store.system_slot(1, k_slot_type_code), c.slot10);
    EXPECT_EQ(db.text("UID-001-001"), "UID,UID Editor");
    EXPECT_EQ(db.text("SIT-001-001"),
              "SIF,Site,SiteId=7,TrunkId=1234,Site _7__x,Off,41.500000,"
              "-91.250000,20.0" +
                  std::string(c.site_tail));
    EXPECT_EQ(db.text("TFQ-001-001-001"), std::string("TFQ,851.0500,") + c.tfq);
    EXPECT_EQ(db.text("GRP-999-001-000"),
              "GIN,C-Group,CGroupId=0,AgencyId=0,Fire; County,Off,0.000000,-00.000000,0.0,,,");
}

const char* k_std = ",AUTO,Standard,Wide,Circle,0,,,,,,,,,,,,";
const char* k_custom = ",AUTO,Custom/Rebanded,Wide,Circle,0,,,,,,,,,,,,";
const std::vector<Bandplan> k_rebanded = {{"851.025", "440", "25"}, {"851.0125", "0", "25"}};

INSTANTIATE_TEST_SUITE_P(
    Imports, SystemTypes,
    ::testing::Values(
        TypeCase{"Motorola 800",
                 1,
                 0,
                 {},
                 "SIN,Motorola,1234,StateId=0,Test; System,Off,2026-01-02,Motorola,0,Off,Auto,0,"
                 "Search",
                 "1",
                 k_std,
                 ""},
        TypeCase{"Motorola rebanded", 1, 0, k_rebanded,
                 "SIN,Motorola,1234,StateId=0,Test; System,Off,2026-01-02,Motorola,0,Off,Auto,0,"
                 "Search",
                 "1", k_custom, ""},
        TypeCase{"EDACS standard",
                 2,
                 0,
                 {},
                 "SIN,Edacs Narrow/Wide,1234,StateId=0,Test; System,Off,2026-01-02,Edacs "
                 "Narrow/Wide",
                 "2",
                 k_std,
                 "1,"},
        TypeCase{"EDACS narrow",
                 2,
                 11,
                 {},
                 "SIN,Edacs Narrow/Wide,1234,StateId=0,Test; System,Off,2026-01-02,Edacs "
                 "Narrow/Wide",
                 "2",
                 ",AUTO,Standard,Narrow,Circle,0,,,,,,,,,,,,",
                 "1,"},
        TypeCase{"LTR",
                 3,
                 0,
                 {},
                 "SIN,LTR,1234,StateId=0,Test; System,Off,2026-01-02,Motorola",
                 "4",
                 k_std,
                 "1,"},
        TypeCase{"P25", 8, 0, k_rebanded,
                 "SIN,P25 Standard,1234,StateId=0,Test; System,Off,2026-01-02,P25 Standard", "5",
                 k_std, ""},
        TypeCase{"P25 X2",
                 8,
                 33,
                 {},
                 "SIN,P25 X2 TDMA,1234,StateId=0,Test; System,Off,2026-01-02,P25 X2 TDMA",
                 "7",
                 k_std,
                 ""},
        TypeCase{"DMR",
                 12,
                 0,
                 {},
                 "SIN,MotoTRBO,1234,StateId=0,Test; System,Off,2026-01-02,DMR",
                 "8",
                 k_std,
                 ""}),
    [](const auto& info) {
        std::string n = info.param.what;
        for (char& ch : n)
            if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return n;
    });

TEST(TrunkedImport, BandplansDecideTheMotorolaBandAndTheirMcpLine) {
    TrsDetails d;
    d.sType = 1;
    EXPECT_EQ(decide_scanner_type(d), ScannerType::mot_800);
    d.bandplan = {{"150.0", "0", "5"}};
    EXPECT_EQ(band_label(d), "VHF");
    EXPECT_EQ(decide_scanner_type(d), ScannerType::mot_vhf_uhf);
    d.bandplan = {{"450.0", "0", "12.5"}};
    EXPECT_EQ(band_label(d), "UHF");
    EXPECT_EQ(decide_scanner_type(d), ScannerType::mot_vhf_uhf);

    EXPECT_EQ(bandplan_line(k_rebanded),
              "MCP,type,851.0250,854.0000,25.0,440,851.0125,868.9875,25.0,0,,,,,,,,,,,,,,,,,");
    // A custom plan: each row ends one channel before the next row's first; the last at 760.
    EXPECT_EQ(bandplan_line({{"136.0", "0", "12.5"}, {"150.0", "380", "5"}}),
              "MCP,type,136.0000,140.7375,12.5,0,150.0000,151.8950,5.0,380,,,,,,,,,,,,,,,,");

    Db db;
    TrsImport in = system(1, 0, {{"450.0", "0", "12.5"}});
    ASSERT_TRUE(import_trunked(in, {}, db.store, db.files, db.prompter).ok);
    EXPECT_EQ(db.text("MCP-001-001"), "MCP,type,450.0000,459.4875,12.5,0,,,,,,,,,,,,,,,,,,,,");
}

TEST(TrunkedImport, MotorolaSitesMarkedRebandedOrSplinterTakeThoseTails) {
    Db db;
    TrsImport in = system(1, 0);
    in.sites[0].site.rebanded = 1;
    TrsImport split = in;
    split.sites[0].site.splinter = 1;
    in.sites.push_back(split.sites[0]);
    ASSERT_TRUE(import_trunked(in, {}, db.store, db.files, db.prompter).ok);
    EXPECT_TRUE(db.text("SIT-001-001").ends_with(k_custom));
    EXPECT_EQ(db.text("MCP-001-001"), "MCP,type,,,,,,,,,,,,,,,,,,,,,,,,");
    EXPECT_TRUE(db.text("SIT-001-002").ends_with(",AUTO,Splinter,Wide,Circle,0,,,,,,,,,,,,"));
}

TEST(TrunkedImport, TalkgroupRowsCarryRowNumbersValuesAlphaTagsAudioAndServiceTypes) {
    Db db;
    TrsImport in = system(8, 0);
    TgCategory other{77, 1234, 0, "Law", "41.1", "-91.2", "5", ""};
    auto tg = [](std::string dec, std::string alpha, std::string descr, std::string mode,
                 std::vector<int> tags, std::string alt = "") {
        Talkgroup t;
        t.tgDec = dec;
        t.tgAlpha = alpha;
        t.tgDescr = descr;
        t.tgMode = mode;
        t.tags = tags;
        t.tgSubfleet = alt;
        return t;
    };
    in.talkgroups.push_back({tg("0", "", "Zero \"one\"", "a", {}, "77"), other});
    in.talkgroups.push_back({tg("0", "Z", "", "T", {5}), other});
    in.talkgroups.push_back({tg("2002", "B\x01\xE9", "", "", {208}), in.talkgroups[0].category});
    ImportOptions o;
    o.untagged_trunk = 2;
    ImportReport r = import_trunked(in, o, db.store, db.files, db.prompter);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.groups, 2);
    EXPECT_EQ(r.rows, 4);
    EXPECT_EQ(db.rows(1, 0),
              (std::vector<std::string>{"1,1001,FD & EMS; 1,Off,Digital,Fire Dispatch,2,0,Off,Auto",
                                        "2,2002,B,Off,All,Custom 1,2,0,Off,Auto"}));
    EXPECT_EQ(db.rows(1, 1),
              (std::vector<std::string>{"1,77,Zero 'one',Off,Analog,Law Dispatch,2,0,Off,Auto",
                                        "2,0,Z,Off,All,Law Dispatch,2,0,Off,Auto"}));
    EXPECT_EQ(db.text("GRP-999-001-001"),
              "GIN,C-Group,CGroupId=0,AgencyId=0,Law,Off,41.100000,-91.200000,5.0,,,");
}

TEST(TrunkedImport, AlphaTagOptionsDescriptionUpperCaseAndAlerts) {
    ImportOptions o;
    EXPECT_EQ(choose_alpha("Alpha", "Descr, long", o), "Alpha");
    o.use_alpha = false;
    EXPECT_EQ(choose_alpha("Alpha", "Descr, long", o), "Descr; long");
    o.alpha_length = 8;
    o.remove_blanks = true;
    EXPECT_EQ(choose_alpha("Alpha", "Descr, long text", o), "Descr;lo");
    o.upper = true;
    EXPECT_EQ(choose_alpha("", "a&quot;b", o), "A'B");

    Db db;
    ImportOptions alerts;
    alerts.alerts = true;
    alerts.alert_tone = "3";
    alerts.alert_level = "2";
    ASSERT_TRUE(import_trunked(system(8, 0), alerts, db.store, db.files, db.prompter).ok);
    EXPECT_TRUE(db.rows(1, 0).at(0).ends_with(",2,0,3,2"));
}

TEST(TrunkedImport, LtrTalkgroupsGoToSixDigitsAndEdacsToAfsOnRequest) {
    EXPECT_EQ(ltr_six_digits("1012"), "100012");
    EXPECT_EQ(ltr_six_digits("10123"), "100123");
    EXPECT_EQ(ltr_six_digits("110123"), "110123");
    Db db;
    TrsImport ltr = system(3, 0);
    ltr.talkgroups[0].tg.tgDec = "10123";
    ASSERT_TRUE(import_trunked(ltr, {}, db.store, db.files, db.prompter).ok);
    EXPECT_EQ(db.rows(1, 0).at(0).substr(0, 9), "1,100123,");

    TrsImport edacs = system(2, 0);
    edacs.talkgroups[0].tg.tgDec = "586";
    ImportOptions afs;
    afs.afs = true;
    ASSERT_TRUE(import_trunked(edacs, afs, db.store, db.files, db.prompter).ok);
    EXPECT_EQ(db.rows(2, 0).at(0).substr(0, 9), "1,04-092,");
}

TEST(TrunkedImport, SiteFrequencyLimitsZeroFrequenciesAndControlChannelChoice) {
    Db db;
    TrsImport in = system(1, 0);
    std::vector<SiteFreq> many = {{0, "0", "", "", ""}, {0, "", "", "", ""}};
    for (int i = 0; i < 105; ++i)
        many.push_back({i + 1, std::to_string(851 + i / 100) + "." + std::to_string(1000 + i),
                        i == 0   ? "d"
                        : i == 1 ? "a"
                                 : "",
                        "", ""});
    in.sites[0].freqs = many;
    ImportReport r = import_trunked(in, {}, db.store, db.files, db.prompter);
    EXPECT_EQ(r.site_frequencies, 100);
    EXPECT_TRUE(db.store.exists("TFQ-001-001-100"));
    EXPECT_FALSE(db.store.exists("TFQ-001-001-101"));
    EXPECT_EQ(r.skipped.size(), 2u + 5u);

    ImportOptions voice_only;
    voice_only.cc_all = voice_only.cc_pri = voice_only.cc_alt = false;
    in.sites[0].freqs.resize(6);
    ImportReport v = import_trunked(in, voice_only, db.store, db.files, db.prompter);
    EXPECT_EQ(v.site_frequencies, 2);  // the "d" and "a" ones are left out
}

TEST(TrunkedImport, ASiteWithoutPositionTakesItsCountysAndAZeroRangeBecomes25) {
    Db db;
    TrsImport in = system(1, 0);
    in.sites[0].site.lat = "0";
    in.sites[0].site.lon = "0";
    in.sites[0].site.range = "0";
    int asked = 0;
    auto county = [&](int ctid) -> std::optional<CountyInfo> {
        asked = ctid;
        CountyInfo c;
        c.lat = "42.077";
        c.lon = "-91.611";
        c.range = "0";
        return c;
    };
    ASSERT_TRUE(import_trunked(in, {}, db.store, db.files, db.prompter, county).ok);
    EXPECT_EQ(asked, 841);
    EXPECT_NE(db.text("SIT-001-001").find(",Off,42.077000,-91.611000,25.0,"), std::string::npos);
}

TEST(TrunkedImport, RefusalsAndWarningsLeaveTheStoreAsItWas) {
    Db db;
    TrsImport none = system(1, 0);
    none.sites.clear();
    EXPECT_FALSE(import_trunked(none, {}, db.store, db.files, db.prompter).ok);
    TrsImport no_filters = system(1, 0);
    no_filters.tg_filters_ticked = 0;
    EXPECT_FALSE(import_trunked(no_filters, {}, db.store, db.files, db.prompter).ok);
    EXPECT_TRUE(db.store.empty());
    EXPECT_EQ(db.prompter.told, (std::vector<std::string>{"Please select at least one site.",
                                                          "Error: all tg filters are disabled"}));
    // Two LTR sites: warned, imported all the same.
    TrsImport ltr = system(3, 0);
    ltr.sites.push_back(ltr.sites[0]);
    EXPECT_TRUE(import_trunked(ltr, {}, db.store, db.files, db.prompter).ok);
    EXPECT_EQ(db.prompter.told.back().substr(0, 40), "Warning: You selected more than one site");
}

TEST(TrunkedImport, AGroupFileHoldsAtMost9999RowsTheRestAreReported) {
    Db db;
    TrsImport in = system(8, 0);
    Talkgroup t = in.talkgroups[0].tg;
    in.talkgroups.assign(10001, {t, in.talkgroups[0].category});
    ImportReport r = import_trunked(in, {}, db.store, db.files, db.prompter);
    EXPECT_EQ(r.rows, 9999);
    EXPECT_EQ(r.skipped.size(), 2u);
    EXPECT_EQ(db.rows(1, 0).back().substr(0, 5), "9999,");
}

TEST(TrunkedImport, AFullStoreStopsBeforeTheSystem) {
    Db db;
    for (size_t i = 0; i <= k_max_store_nodes; ++i)
        db.store.add_node("", "X-" + std::to_string(i), "x");
    ImportReport r = import_trunked(system(1, 0), {}, db.store, db.files, db.prompter);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "Out of storage space, reached storage limit (30000 objects).");
    EXPECT_EQ(db.store.size(), k_max_store_nodes + 1);
}

// A large system as the service would answer it: `sites` sites of `freqs` frequencies each,
// `cats` talkgroup categories of which only every `every`-th has talkgroups (`per_cat` each).
struct LargeSystem {
    TrsImport in;
    LargeSystem(int sites, int freqs, int cats, int every, int per_cat) {
        std::string site_items, cat_items, tg_items;
        for (int s = 1; s <= sites; ++s) {
            site_items += "<item><siteNumber>" + std::to_string(s) + "</siteNumber><siteDescr>S" +
                          std::to_string(s) +
                          "</siteDescr><lat>41.5</lat><lon>-91.5</lon><range>20</range>"
                          "<siteFreqs>";
            for (int f = 0; f < freqs; ++f) {
                char mhz[32];
                std::snprintf(mhz, sizeof mhz, "%d.%04d", 851 + f / 80, (f % 80) * 125);
                site_items += "<item><lcn>" + std::to_string(f + 1) + "</lcn><freq>" + mhz +
                              "</freq><use xsi:nil=\"true\"/></item>";
            }
            site_items += "</siteFreqs></item>";
        }
        int dec = 1;
        for (int c = 1; c <= cats; ++c) {
            cat_items += "<item><tgCid>" + std::to_string(c) + "</tgCid><tgCname>Cat " +
                         std::to_string(c) + "</tgCname></item>";
            if (c % every != 0) continue;
            for (int t = 0; t < per_cat; ++t, ++dec)
                tg_items += "<item><tgDec>" + std::to_string(dec) + "</tgDec><tgAlpha>TG " +
                            std::to_string(dec) + "</tgAlpha><tgMode>D</tgMode><tgCid>" +
                            std::to_string(c) + "</tgCid></item>";
        }
        auto part = [](const std::string& items) {
            return decode_soap(test::answer("x", "<return>" + items + "</return>")).part;
        };
        in.sid = 6000;
        in.name = "Large";
        in.details.sType = 8;
        for (const auto& site : read_trs_sites(part(site_items)))
            in.sites.push_back({site, site.freqs});
        std::vector<TgCategory> categories = read_tg_categories(part(cat_items));
        for (auto& tg : read_talkgroups(part(tg_items)))
            for (const auto& c : categories)
                if (c.tgCid == tg.tgCid) in.talkgroups.push_back({tg, c});
    }
};

void fill_store(SystemStore& store, size_t leave_room) {
    for (size_t i = 0; i + leave_room < k_max_store_nodes; ++i)
        store.add_node("", "X-" + std::to_string(i), "x");
}

TEST(TrunkedImport, CategoriesWithoutTalkgroupsGetNoGroup) {
    Db db;
    LargeSystem big(1, 4, 300, 30, 5);  // 300 categories, 10 with talkgroups
    ASSERT_EQ(big.in.talkgroups.size(), 50u);
    ImportReport r = import_trunked(big.in, {}, db.store, db.files, db.prompter);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.groups, 10);
    EXPECT_EQ(r.rows, 50);
    EXPECT_TRUE(r.skipped.empty());
    EXPECT_EQ(db.text("GRP-999-001-000").substr(0, 42),
              "GIN,C-Group,CGroupId=0,AgencyId=0,Cat 30,O");
}

struct FullCase {
    const char* name;
    size_t room;  // nodes left in the store before the import (one more fits: the limit is
                  // "more than 30000")
    int sites, freqs, cats;
    int sites_added, groups_added;
    std::vector<std::string> skipped;
};
class StoreLimit : public ::testing::TestWithParam<FullCase> {};

TEST_P(StoreLimit, TheImportStopsAtTheLimitTellsOnceAndReportsWhatWasLeftOut) {
    const FullCase& c = GetParam();
    Db db;
    fill_store(db.store, c.room);
    LargeSystem big(c.sites, c.freqs, c.cats, 1, 2);
    ImportReport r = import_trunked(big.in, {}, db.store, db.files, db.prompter);
    EXPECT_TRUE(r.ok);  // what was added stays, and is the user's to keep or delete
    EXPECT_EQ(r.message, "Out of storage space, reached storage limit (30000 objects).");
    EXPECT_EQ(std::count(db.prompter.told.begin(), db.prompter.told.end(), r.message), 1);
    EXPECT_EQ(db.store.size(), k_max_store_nodes + 1);
    EXPECT_EQ(r.sites, c.sites_added);
    EXPECT_EQ(r.groups, c.groups_added);
    EXPECT_EQ(r.skipped, c.skipped);
    EXPECT_NE(r.summary().find("Skipped"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Generated, StoreLimit,
    ::testing::Values(
        // system and unit-ID holder, 3 sites of 101 nodes, the fourth site and 95 frequencies
        FullCase{"InTheSites",
                 400,
                 6,
                 100,
                 20,
                 4,
                 0,
                 {"5 site frequencies of site 4 S4: the store is full",
                  "2 sites: the store is full", "40 talkgroups: the store is full"}},
        // the sites fit; 38 groups fill the rest of the store
        FullCase{"InTheGroups",
                 2 + 2 * 11 + 37,
                 2,
                 10,
                 120,
                 2,
                 38,
                 {"164 talkgroups: the store is full"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ToneCase {
    const char* tone;
    const char* tail;  // the row from the modulation on
};

class ToneForms : public ::testing::TestWithParam<ToneCase> {};

TEST_P(ToneForms, ChannelRowsCarryTheSquelchOfTheirTone) {
    Db db;
    ConvImport in;
    in.name = "County, Fire";
    Frequency f;
    f.out = "154.3400";
    f.alpha = "FD Disp";
    f.tone = GetParam().tone;
    f.tags = {3};
    in.freqs.push_back({f, Subcat{9, "Fire", "0", "0", "0"}});
    ASSERT_TRUE(import_conventional(in, {}, db.store, db.files, db.prompter).ok);
    EXPECT_EQ(db.rows(1, 0).at(0), std::string("1,154.3400,FD Disp,Off,AUTO,") + GetParam().tail +
                                       ",Fire Dispatch,Off,2,0,Off,Auto");
}

INSTANTIATE_TEST_SUITE_P(
    Conventional, ToneForms,
    ::testing::Values(ToneCase{"", "All,Search"}, ToneCase{"CSQ", "All,Search"},
                      ToneCase{"136.5 PL", "CTCSS,136.5"}, ToneCase{"023 DPL", "DCS,023"},
                      ToneCase{"293 NAC", "P25,293"}, ToneCase{"1 CC", "All,Search"},
                      ToneCase{"5 DMR", "All,Search"}, ToneCase{"12 RAN", ","}));

TEST(ConventionalImport, SystemLineGroupsPerSubcategoryAndNames) {
    Db db;
    ConvImport in;
    Frequency f;
    f.out = "155.475";
    f.descr = "Sheriff, Dispatch";
    Subcat a{1, "Law, County", "42.5", "-91.5", "15"}, b{2, "Fire", "0", "0", "0"};
    in.freqs = {{f, a}, {f, b}, {f, a}};
    f.out = "bogus";
    in.freqs.push_back({f, b});
    ImportReport r = import_conventional(in, {}, db.store, db.files, db.prompter);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(db.text("SYS-001"),
              "SIN,Conventional,0,StateId=0,New System,Off,01/01/2010 10:00:00,Conventional");
    EXPECT_EQ(db.store.system_slot(1, k_slot_type_code), "0");
    EXPECT_EQ(db.text("GRP-999-001-000"),
              "GIN,C-Group,CGroupId=0,AgencyId=0,Law; County,Off,42.500000,-91.500000,15.0");
    EXPECT_EQ(db.text("GRP-999-001-001"),
              "GIN,C-Group,CGroupId=0,AgencyId=0,Fire,Off,0.000000,-00.000000,0.0");
    EXPECT_EQ(db.rows(1, 0).size(), 2u);
    EXPECT_EQ(db.rows(1, 0)[1].substr(0, 34), "2,155.4750,Sheriff; Dispatch,Off,A");
    EXPECT_EQ(r.skipped.size(), 1u);
    EXPECT_EQ(system_name_from_boxes("My Name, x", "Other, y", 1, 64), "MyName;x");
    EXPECT_EQ(system_name_from_boxes("My Name", "Other, y", 2, 64), "Other; y");
    EXPECT_EQ(system_name_from_boxes("My Name", "Other", 0, 64), "");
    ConvImport empty;
    EXPECT_FALSE(import_conventional(empty, {}, db.store, db.files, db.prompter).ok);
    EXPECT_EQ(db.prompter.told.back(), "Please select at least one frequency for import.");
}

TEST(Imports, SaveAndReadBackUnchanged) {
    // What an import makes must survive the scanner's file format: write it, read it into a
    // fresh store, write again, and get the same bytes.
    Db db;
    ASSERT_TRUE(import_trunked(system(1, 0, k_rebanded), {}, db.store, db.files, db.prompter).ok);
    ConvImport conv;
    Frequency f;
    f.out = "154.34";
    f.alpha = "Fire";
    f.tone = "136.5 PL";
    conv.freqs.push_back({f, Subcat{1, "Fire", "0", "0", "0"}});
    ASSERT_TRUE(import_conventional(conv, {}, db.store, db.files, db.prompter).ok);
    std::vector<std::string> first = hpd_lines(db.store, db.files, 0);
    ASSERT_GT(first.size(), 8u);
    std::string path = (db.dir.path() / "out.hpd").string();
    int format = 0;
    ASSERT_TRUE(
        write_hpd(path, db.store, db.files, 0, format, 0, false, db.prompter, no_progress()));
    Db again;
    ReadStats st = read_hpd(path, again.store, again.files, k_read_all, 0, no_progress());
    EXPECT_EQ(st.systems_added, 2);
    EXPECT_EQ(st.talkgroups, 1);
    EXPECT_EQ(st.channels, 1);
    EXPECT_EQ(hpd_lines(again.store, again.files, 0), first);
}

}  // namespace
}  // namespace tarvex::radioref
