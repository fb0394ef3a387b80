// Searching the whole master database: the query kinds, the matches a small database laid out
// here gives (names with commas and quotes, damaged and overlong lines, missing state files),
// the rows agreeing with the import window's, and the real database end to end.
#include <gtest/gtest.h>

#include <cstdio>

#include "core/base/progress.h"
#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/cli/cli_run.h"
#include "core/hpd/hpd_writer.h"
#include "core/masterdb/line_store.h"
#include "core/masterdb/master_search.h"
#include "core/model/group_files.h"
#include "core/model/system_store.h"
#include "support/test_support.h"

namespace tarvex::test {
namespace {

namespace fs = std::filesystem;

std::string crlf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += replace_all(l, "|", "\t") + "\r\n";
    return out;
}

// A match as the command line prints it.
std::string as_line(const MatchView& m) {
    return std::to_string(m.state) + "|" + std::to_string(m.row) + "|" + std::string(m.system) +
           "|" + std::string(m.group) + "|" + std::string(m.name) + "|" + std::string(m.value);
}

struct Found {
    std::vector<std::string> lines;
    std::vector<SearchMatch> matches;
    long long count = 0;
    int states = 0;
    std::vector<int> unreadable;
};

Found find_all(const fs::path& folder, std::string_view text, std::vector<StateEntry> states) {
    Found f;
    auto query = parse_search_query(text);
    if (!query) return f;
    MasterSearch search(folder, std::move(states), *query);
    search.run([&](const MatchView& m) {
        f.lines.push_back(as_line(m));
        f.matches.push_back(SearchMatch::from(m));
    });
    f.count = search.matches();
    f.states = search.states_matched();
    f.unreadable = search.unreadable_states();
    return f;
}

// ---- the query ----

struct QueryCase {
    const char* text;
    SearchKind kind;
    long long value;
    const char* folded;
};

class QueryKinds : public ::testing::TestWithParam<QueryCase> {};

TEST_P(QueryKinds, TheTextDecidesTheKindOfMatch) {
    const QueryCase& c = GetParam();
    auto q = parse_search_query(c.text);
    ASSERT_TRUE(q.has_value()) << c.text;
    EXPECT_EQ(q->kind, c.kind) << c.text;
    EXPECT_EQ(q->value, c.value) << c.text;
    EXPECT_EQ(q->folded, c.folded) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, QueryKinds,
    ::testing::Values(
        // A frequency is exact whatever its zeros; a fraction of a Hz is no file's frequency.
        QueryCase{"154.43", SearchKind::Frequency, 154430000, ""},
        QueryCase{"154.4300", SearchKind::Frequency, 154430000, ""},
        QueryCase{" 0154.430000000 ", SearchKind::Frequency, 154430000, ""},
        QueryCase{"851.00625", SearchKind::Frequency, 851006250, ""},
        QueryCase{"155.", SearchKind::Frequency, 155000000, ""},
        QueryCase{".5", SearchKind::Frequency, 500000, ""},
        QueryCase{"154.4300001", SearchKind::Frequency, -1, ""},
        QueryCase{"12345678901234567890.5", SearchKind::Frequency, -1, ""},
        QueryCase{"47021", SearchKind::Talkgroup, 47021, ""},
        QueryCase{"047021", SearchKind::Talkgroup, 47021, ""},
        QueryCase{"123456789012345678901234", SearchKind::Talkgroup, -1, ""},
        QueryCase{"\"155\"", SearchKind::Name, -1, "155"},
        QueryCase{"\"154.43\"", SearchKind::Name, -1, "154.43"},
        QueryCase{"Sheriff", SearchKind::Name, -1, "sheriff"},
        QueryCase{"1.2.3", SearchKind::Name, -1, "1.2.3"},
        QueryCase{"-5", SearchKind::Name, -1, "-5"},
        QueryCase{"0-01-001", SearchKind::Name, -1, "0-01-001"},
        QueryCase{"\"Fire, EMS\"", SearchKind::Name, -1, "fire, ems"},
        QueryCase{"CA\xD1ON", SearchKind::Name, -1, "ca\xF1on"}));

TEST(Query, BlankTextIsNoQuery) {
    for (const char* text : {"", "   ", "\t", "\"\""})
        EXPECT_FALSE(parse_search_query(text).has_value()) << '[' << text << ']';
}

// ---- a small database ----

struct SmallDb : ::testing::Test {
    TempDir db;
    std::vector<StateEntry> states;

    void SetUp() override {
        write_file(db / "HPDB.config", crlf({"TargetModel|HomePatrol-1", "FormatVersion|2.04",
                                             "StateInfo|StateId=6|CountryId=1|California|CA",
                                             "StateInfo|StateId=12|CountryId=1|Florida|FL",
                                             "StateInfo|StateId=13|CountryId=1|Georgia|GA",
                                             "StateInfo|StateId=48|CountryId=1|Texas|TX"}));
        write_file(
            db / "s_000006.hpd",
            crlf({"TargetModel|HomePatrol-1", "FormatVersion|2.04",
                  // A channel before any system belongs to nothing that could be imported.
                  "C-Freq|CFreqId=9|CGroupId=9|Orphan Sheriff|Off|154430000|NFM||8",
                  "Conventional|CountyId=183|StateId=6|Alameda, County \"East\"|Off||Conventional",
                  "AreaCounty|CountyId=183|CountyId=183",
                  "C-Group|CGroupId=1|CountyId=183|Fire, EMS|Off|37.7|-121.9|25.0|Circle",
                  "C-Freq|CFreqId=1|CGroupId=1|Sheriff \"Tac\" 4|Off|154430000|NFM|TONE=C131.8|8",
                  "C-Freq|CFreqId=2|CGroupId=1|Tac 5|Off|0154430000|NFM||8",
                  "C-Freq|CFreqId=3|CGroupId=1|Near miss|Off|154430001|NFM||8",
                  "C-Freq|CFreqId=4|CGroupId=1|Damaged",  // no frequency at all
                  "C-Freq", "C-Freq 154430000", "\x01\xFF|junk|154430000",
                  "Trunk|TrunkId=7|StateId=6|Metro P25|Off||P25Standard|||||",
                  "Site|SiteId=9|TrunkId=7|Oat Mountain|Off|34.3|-118.6|25.0|Auto|Circle|0",
                  "T-Freq|TFreqId=1|SiteId=9||Off|154430000|1|",
                  "T-Freq|TFreqId=2|SiteId=9||Off|852212500|2|",
                  "T-Group|TGroupId=3|TrunkId=7|Sheriff|Off|34.3|-118.6|25.0|Circle",
                  "TGID|Tid=1|TGroupId=3|Dispatch|Off|47021|ALL|2",
                  "TGID|Tid=2|TGroupId=3|Car to car|Off|470210|ALL|2",
                  "Trunk|TrunkId=8|StateId=6|Valley LTR|Off||Ltr|||||",
                  "T-Group|TGroupId=4|TrunkId=8|Users|Off|34.3|-118.6|25.0|Circle",
                  "TGID|Tid=3|TGroupId=4|Repeater 1|Off|0-01-001|FM|2"}));
        // State 12 has no file; state 13 has a folder where its file should be.
        fs::create_directories(db / "s_000013.hpd");
        // No line end after the last line.
        write_file(db / "s_000048.hpd",
                   "Conventional\tCountyId=1\tStateId=48\tAnderson\tOff\t\tConventional\r\n"
                   "C-Group\tCGroupId=5\tCountyId=1\tSheriff's Office\tOff\t0\t0\t0\tCircle\r\n"
                   "C-Freq\tCFreqId=5\tCGroupId=5\tDispatch\tOff\t154430000\tNFM\t\t2");
        states = read_hpdb_index(db.path()).states;
    }

    // The systems of a state as the import window numbers them.
    std::vector<std::string> window_systems(int state) {
        MasterLineStore lines;
        lines.load(state_file_path(db.path(), state), no_progress());
        std::vector<std::string> out;
        for (const auto& s : lines.systems()) out.push_back(s.text);
        return out;
    }
};

struct SmallCase {
    const char* text;
    std::vector<std::string> lines;  // as the command line prints them, "|" for tabs
};

class SmallDbSearch : public SmallDb, public ::testing::WithParamInterface<SmallCase> {};

TEST_P(SmallDbSearch, EachKindOfQueryFindsExactlyItsRecords) {
    const SmallCase& c = GetParam();
    Found f = find_all(db.path(), c.text, states);
    EXPECT_EQ(f.lines, c.lines) << c.text;
    EXPECT_EQ(f.count, static_cast<long long>(c.lines.size()));
    EXPECT_EQ(f.unreadable, (std::vector<int>{12, 13}));
}

const std::string k_alameda = "6|1|Alameda, County \"East\"|";

INSTANTIATE_TEST_SUITE_P(
    Queries, SmallDbSearch,
    ::testing::Values(
        SmallCase{"154.43",
                  {k_alameda + "Fire, EMS|Sheriff \"Tac\" 4|154.4300",
                   k_alameda + "Fire, EMS|Tac 5|154.4300", "6|2|Metro P25||Oat Mountain|154.4300",
                   "48|1|Anderson|Sheriff's Office|Dispatch|154.4300"}},
        SmallCase{"154.430001", {k_alameda + "Fire, EMS|Near miss|154.430001"}},
        SmallCase{"852.2125", {"6|2|Metro P25||Oat Mountain|852.2125"}},
        SmallCase{"47021", {"6|2|Metro P25|Sheriff|Dispatch|47021"}},
        SmallCase{"154430000", {}},  // a whole number is a talkgroup, never a frequency
        SmallCase{"sheriff",
                  {k_alameda + "Fire, EMS|Sheriff \"Tac\" 4|154.4300", "6|2|Metro P25|Sheriff||",
                   "48|1|Anderson|Sheriff's Office||"}},
        SmallCase{"COUNTY \"EAST", {k_alameda + "||"}},
        SmallCase{"\"fire, ems\"", {k_alameda + "Fire, EMS||"}},
        SmallCase{"Oat", {"6|2|Metro P25||Oat Mountain|"}},
        // A name match of a talkgroup shows the talkgroup as the file holds it.
        SmallCase{"repeater", {"6|3|Valley LTR|Users|Repeater 1|0-01-001"}},
        SmallCase{"\"47021\"", {}}, SmallCase{"junk", {}}));

TEST_F(SmallDb, EveryMatchNamesTheRowTheImportWindowShowsForItsSystem) {
    Found f = find_all(db.path(), "a", states);
    ASSERT_GT(f.matches.size(), 5u);
    for (const auto& m : f.matches) {
        auto systems = window_systems(m.state);
        ASSERT_LE(m.row, static_cast<int>(systems.size())) << m.system;
        EXPECT_TRUE(contains(systems[m.row - 1], replace_all(m.system, ",", ";")))
            << systems[m.row - 1] << " / " << m.system;
    }
    EXPECT_EQ(f.states, 2);
}

TEST_F(SmallDb, AnOverlongLineOrAStrayCarriageReturnShiftsNoRow) {
    std::string huge(3 * MasterSearch::k_buffer + 77, 'x');
    write_file(db / "s_000006.hpd",
               "Conventional\tCountyId=1\tStateId=6\tFirst\tOff\t\tConventional\r\n"
               "C-Group\tCGroupId=1\tCountyId=1\tBig\tOff\r\n"
               "C-Freq\tCFreqId=1\tCGroupId=1\t" +
                   huge +
                   "\tOff\t154430000\r\n"
                   "\rConventional\tCountyId=2\tStateId=6\tSecond\tOff\t\tConventional\r\n"
                   "C-Group\tCGroupId=2\tCountyId=2\tSmall\tOff\r\n"
                   "C-Freq\tCFreqId=2\tCGroupId=2\tAfter\tOff\t154430000\r\n" +
                   huge + "\n" +
                   "Trunk\tTrunkId=1\tStateId=6\tThird\tOff\t\tLtr\r\n"
                   "T-Group\tTGroupId=1\tTrunkId=1\tG\tOff\r\n"
                   "TGID\tTid=1\tTGroupId=1\tLast\tOff\t5\r\n");
    EXPECT_EQ(window_systems(6).size(), 3u);
    Found freq = find_all(db.path(), "154.43", {states[0]});
    // The overlong channel's frequency lies beyond what is looked at; the next line's counts.
    EXPECT_EQ(freq.lines, (std::vector<std::string>{"6|2|Second|Small|After|154.4300"}));
    Found tg = find_all(db.path(), "5", {states[0]});
    EXPECT_EQ(tg.lines, (std::vector<std::string>{"6|3|Third|G|Last|5"}));
}

TEST_F(SmallDb, StepsSearchOneSliceAtATimeInStateOrder) {
    auto query = parse_search_query("154.43");
    MasterSearch search(db.path(), states, *query);
    EXPECT_EQ(search.current_state(), nullptr);
    std::vector<int> seen;
    int steps = 0;
    while (search.step([&](const MatchView& m) { seen.push_back(m.state); })) ++steps;
    EXPECT_TRUE(search.finished());
    EXPECT_GE(steps, 2);
    EXPECT_EQ(seen, (std::vector<int>{6, 6, 6, 48}));
    EXPECT_EQ(search.states_done(), 4u);
    EXPECT_EQ(search_summary(search.matches(), search.states_matched()), "4 matches in 2 states");
    EXPECT_FALSE(search.step(nullptr));  // a finished search stays finished
}

TEST(SystemsToImport, EachTickedSystemOnceInStateOrderOfTheMatches) {
    auto m = [](int state, int row, bool ticked) {
        SearchMatch s;
        s.state = state;
        s.row = row;
        s.ticked = ticked;
        return s;
    };
    std::vector<SearchMatch> matches{m(6, 4, true), m(6, 2, true),  m(6, 4, true), m(48, 1, false),
                                     m(9, 7, true), m(6, 3, false), m(9, 7, true), m(9, 0, true)};
    auto plan = systems_to_import(matches);
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[0].state, 6);
    EXPECT_EQ(plan[0].rows, (std::vector<int>{2, 4}));
    EXPECT_EQ(plan[1].state, 9);
    EXPECT_EQ(plan[1].rows, (std::vector<int>{7}));
    EXPECT_TRUE(systems_to_import({m(6, 1, false)}).empty());
}

// ---- the command line ----

TEST_F(SmallDb, FindPrintsTabSeparatedMatchesAndASummaryOnStderr) {
    TempDir run;
    std::string dir = "'" + db.path().string() + "'";
    CliRun all = cli("masterdb find " + dir + " 154.430", run);
    EXPECT_EQ(all.code, 0) << all.err;
    EXPECT_EQ(all.out,
              "6\t1\tAlameda, County \"East\"\tFire, EMS\tSheriff \"Tac\" 4\t154.4300\n"
              "6\t1\tAlameda, County \"East\"\tFire, EMS\tTac 5\t154.4300\n"
              "6\t2\tMetro P25\t\tOat Mountain\t154.4300\n"
              "48\t1\tAnderson\tSheriff's Office\tDispatch\t154.4300\n");
    EXPECT_EQ(all.err, "4 matches in 2 states\n");

    CliRun one = cli("masterdb find " + dir + " 154.43 --state 48", run);
    EXPECT_EQ(one.code, 0);
    EXPECT_EQ(one.out, "48\t1\tAnderson\tSheriff's Office\tDispatch\t154.4300\n");
    EXPECT_EQ(one.err, "1 matches in 1 states\n");

    CliRun none = cli("masterdb find " + dir + " '\"nobody here\"'", run);
    EXPECT_EQ(none.code, 0);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "0 matches in 0 states\n");

    CliRun dash = cli("masterdb find " + dir + " -- -5", run);
    EXPECT_EQ(dash.code, 0) << dash.err;

    // The state and row printed are what import takes.
    CliRun tg = cli("masterdb find " + dir + " 47021", run);
    auto fields = split(tg.out, '\t');
    ASSERT_GE(fields.size(), 2u) << tg.out;
    std::string out = (run / "tg.hpd").string();
    CliRun imported = cli(
        "masterdb import " + dir + " " + fields[0] + " " + fields[1] + " -o '" + out + "'", run);
    ASSERT_EQ(imported.code, 0) << imported.err;
    std::string hpd = read_file(out);
    EXPECT_TRUE(contains(hpd, "\tMetro P25\t")) << hpd;
    EXPECT_TRUE(contains(hpd, "\tDispatch\tOff\t47021\t")) << hpd;
}

TEST_F(SmallDb, FindFailsClearly) {
    TempDir run;
    std::string dir = "'" + db.path().string() + "'";
    CliRun not_db = cli("masterdb find '" + run.path().string() + "' 155.475", run);
    EXPECT_EQ(not_db.code, 1);
    EXPECT_EQ(not_db.out, "");
    EXPECT_EQ(not_db.err,
              "Database or Sentinel not found, please install Sentinel software first\n");
    CliRun missing = cli("masterdb find " + dir + " 155.475 --state 12", run);
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(contains(missing.err, "State file not found")) << missing.err;
    CliRun folder = cli("masterdb find " + dir + " 155.475 --state 13", run);
    EXPECT_EQ(folder.code, 1);
    for (const char* usage :
         {"masterdb find x", "masterdb find", "masterdb find x '  '", "masterdb find x y z",
          "masterdb find x y --state", "masterdb find x y --state Texas",
          "masterdb systems x 6 --state 6", "masterdb find x -5"}) {
        CliRun r = cli(usage, run);
        EXPECT_EQ(r.code, 2) << usage << ": " << r.err;
        EXPECT_TRUE(contains(r.err, "usage:")) << usage;
    }
}

// ---- the real master database ----

struct RealDb : ::testing::Test {
    fs::path folder;
    std::vector<StateEntry> states;
    void SetUp() override {
        if (samples_dir().empty() || !fs::exists(samples_dir() / "hpdb" / "HPDB.config"))
            GTEST_SKIP() << "no sample master database";
        folder = samples_dir() / "hpdb";
        states = read_hpdb_index(folder).states;
    }
};

// The written file keeps a name's commas as the store does (";") or as the database had them.
bool holds(const std::string& hpd, const std::string& text) {
    return contains(hpd, "\t" + text + "\t") ||
           contains(hpd, "\t" + replace_all(text, ",", ";") + "\t");
}

// Imports one system as `masterdb import` does and returns the HPD file it writes.
std::string import_and_write(const fs::path& folder, int state, int row) {
    MasterLineStore lines;
    if (!lines.load(state_file_path(folder, state), no_progress())) return {};
    lines.tick(static_cast<size_t>(row - 1), true);
    TempDir run;
    RecordingPrompter prompter;
    GroupFiles files{run / "temp"};
    SystemStore store{prompter};
    if (!lines.import(store, files, prompter, no_progress()).opened) return {};
    int format = 2;
    std::string out = (run / "out.hpd").string();
    if (!write_hpd(out, store, files, 0, format, 0, false, prompter, no_progress())) return {};
    return read_file(out);
}

TEST_F(RealDb, EveryKindOfMatchImportsASystemThatHoldsTheRecord) {
    struct Kind {
        const char* text;
        MatchKind kind;
    };
    for (Kind k : {Kind{"155.475", MatchKind::Channel}, Kind{"40402", MatchKind::Talkgroup},
                   Kind{"774.08125", MatchKind::SiteFrequency}, Kind{"sheriff", MatchKind::Group},
                   Kind{"mountain", MatchKind::Site}, Kind{"fire", MatchKind::Channel}}) {
        Found f = find_all(folder, k.text, states);
        ASSERT_GT(f.count, 0) << k.text;
        int checked = 0;
        for (const auto& m : f.matches) {
            if (m.kind != k.kind || checked == 2) continue;
            ++checked;
            std::string hpd = import_and_write(folder, m.state, m.row);
            EXPECT_TRUE(holds(hpd, m.system)) << k.text << ": " << m.system;
            std::string record = m.kind == MatchKind::Group ? m.group : m.name;
            EXPECT_TRUE(holds(hpd, record)) << k.text << ": " << record;
            if (m.kind == MatchKind::Channel || m.kind == MatchKind::SiteFrequency) {
                EXPECT_TRUE(contains(hpd, "\t" + std::to_string(mhz_to_hz(m.value)) + "\t"))
                    << k.text << ": " << m.value;
            }
            if (m.kind == MatchKind::Talkgroup) {
                EXPECT_TRUE(contains(hpd, "\t" + m.value + "\t")) << k.text << ": " << m.value;
            }
        }
        EXPECT_EQ(checked, 2) << k.text;
    }
}

TEST_F(RealDb, AFrequencyIsFoundOnEveryLineThatCarriesIt) {
    // Counted line by line, apart from the search and its buffers (several state files are
    // larger than one buffer).
    long long expected = 0;
    for (const auto& s : states) {
        fs::path file = state_file_path(folder, s.number);
        if (!fs::exists(file)) continue;
        for (const auto& l : read_lines(file)) {
            if (!starts_with(l, "C-Freq\t") && !starts_with(l, "T-Freq\t")) continue;
            auto fields = split(l, '\t');
            expected += fields.size() > 5 && fields[5] == "155475000";
        }
    }
    Found f = find_all(folder, "155.4750", states);
    EXPECT_GT(expected, 50);
    EXPECT_EQ(f.count, expected);
    EXPECT_EQ(f.unreadable.size(), 6u);
    for (const auto& m : f.matches) EXPECT_EQ(m.value, "155.4750");
}

TEST_F(RealDb, RowsAgreeWithTheImportWindowInTheLargestStates) {
    for (int state : {48, 6}) {
        MasterLineStore lines;
        ASSERT_TRUE(lines.load(state_file_path(folder, state), no_progress()));
        std::vector<StateEntry> one{StateEntry{state, "", state_file_name(state)}};
        Found f = find_all(folder, "e", one);
        ASSERT_GT(f.count, 1000);
        for (const auto& m : f.matches) {
            ASSERT_LE(m.row, static_cast<int>(lines.systems().size()));
            const std::string& text = lines.systems()[m.row - 1].text;
            ASSERT_TRUE(contains(text, replace_all(m.system, ",", ";")))
                << text << " / " << m.system;
        }
    }
}

}  // namespace
}  // namespace tarvex::test
