// Damaged and hostile files through every reader that takes one: mutated copies of the sample
// database through the HPD reader and back through the writer, and damaged favorites
// configurations, master-database indexes and state files, and log grids. Nothing may crash,
// and whatever a writer makes of the damage must read back and save the same again. The damage
// is pseudo-random from fixed seeds, so every run tries the same cases.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>

#include "core/base/line_reader.h"
#include "core/card/card_paths.h"
#include "core/card/favorites_config.h"
#include "core/hpd/hpd_check.h"
#include "core/masterdb/hpdb_index.h"
#include "core/masterdb/line_store.h"
#include "core/remote/reception_log.h"
#include "hpd_fixture.h"

namespace tarvex::test {
namespace {

namespace fs = std::filesystem;

// The same sequence on every platform (the standard distributions are not portable).
class Rng {
  public:
    explicit Rng(uint64_t seed) : s_(seed | 1) {}
    uint64_t next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 7;
        s_ ^= s_ << 17;
        return s_;
    }
    size_t below(size_t n) { return n ? static_cast<size_t>(next() % n) : 0; }
    bool chance(unsigned percent) { return below(100) < percent; }
    const std::string& pick(const std::vector<std::string>& v) { return v[below(v.size())]; }

  private:
    uint64_t s_;
};

const std::vector<std::string> k_hostile = {
    "",
    "-",
    "0",
    "-1",
    "99999999999999999999",
    "-99999999999999999999",
    "9223372036854775807",
    "-9223372036854775808",
    "18446744073709551616",
    "999999999999.9999999",
    "-999999999999999.5",
    "1e400",
    ".",
    "-.",
    "+5",
    " 7 ",
    "1.2.3",
    "TONE=C",
    "TONE=D",
    "TONE=C99999999999999999999",
    "NAC=",
    "NAC=Srch",
    "ColorCode=",
    "TONE=Srch",
    "Srch",
    "On",
    "Off",
    "Yes",
    "Custom",
    "Sprinter",
    "Wide",
    "Circle",
    "Rectangles",
    "AUTO",
    "ALL",
    "Motorola",
    "P25Standard",
    "Edacs",
    "Conventional",
    "TrunkId=",
    "TrunkId=99999999999999999999",
    "SiteId=",
    "StateId=-1",
    "CountyId=99999999999999999999",
    std::string("a\0b", 3),
    std::string(1, '\0'),
    "\r",
    "\xff\xfe\x80",
    ",",
    ";",
    "\"",
    "\"\"\"",
    "i",
    "i-1",
    "FFFFFFFFFFFFFFFFFFFF",
    "-FFFF",
    "zz",
    std::string(300, 'x'),
};

const std::vector<std::string> k_keywords = {
    "Conventional", "Trunk",     "Site",      "C-Group",    "C-Freq",
    "T-Group",      "TGID",      "T-Freq",    "FleetMap",   "BandPlan_Mot",
    "BandPlan_P25", "UnitIds",   "AreaState", "AreaCounty", "FormatVersion",
    "TargetModel",  "Rectangle", "F-List",    "StateInfo",
};

const std::vector<std::string> k_format_lines = {
    "FormatVersion   1.00", "FormatVersion   2.00", "FormatVersion   2.03", "FormatVersion",
    "FormatVersion\t2.04",  "FormatVersion   9",    "FormatVersion 1.2.3",
};

std::string random_bytes(Rng& rng, size_t n) {
    std::string out;
    for (size_t i = 0; i < n; ++i) out += static_cast<char>(rng.below(256));
    return out;
}

// One line damaged in one of the ways files get damaged: cut short, fields swapped, replaced,
// added or dropped, bytes thrown in, or only the keyword left.
std::string damage_line(Rng& rng, const std::string& line, char sep = '\t') {
    auto fields = split(line, sep);
    switch (rng.below(9)) {
        case 0:
            return line.substr(0, rng.below(line.size() + 1));
        case 1:
            std::swap(fields[rng.below(fields.size())], fields[rng.below(fields.size())]);
            break;
        case 2:
            for (size_t n = 1 + rng.below(3); n > 0; --n)
                fields[rng.below(fields.size())] = rng.pick(k_hostile);
            break;
        case 3: {
            std::string out = line;
            return out.insert(rng.below(out.size() + 1), random_bytes(rng, 1 + rng.below(8)));
        }
        case 4:
            fields.insert(fields.begin() + static_cast<long>(rng.below(fields.size() + 1)),
                          1 + rng.below(4), std::string());
            break;
        case 5:
            return rng.pick(k_keywords);
        case 6:
            fields.resize(1 + rng.below(fields.size() + 24));
            break;
        case 7:
            for (size_t f = 1; f < fields.size(); ++f) fields[f] = rng.pick(k_hostile);
            break;
        default:
            fields[0] = rng.pick(k_keywords);
            break;
    }
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) out += (i ? std::string(1, sep) : "") + fields[i];
    return out;
}

// A copy of `lines` with a few of them damaged, dropped, doubled or swapped.
std::vector<std::string> damage_file(Rng& rng, std::vector<std::string> lines, char sep = '\t') {
    for (size_t n = 1 + rng.below(12); n > 0 && !lines.empty(); --n) {
        size_t at = rng.below(lines.size());
        switch (rng.below(10)) {
            case 0:
                lines.erase(lines.begin() + static_cast<long>(at));
                break;
            case 1: {
                std::string twin = lines[at];
                lines.insert(lines.begin() + static_cast<long>(at), twin);
                break;
            }
            case 2:
                std::swap(lines[at], lines[rng.below(lines.size())]);
                break;
            default:
                lines[at] = damage_line(rng, lines[at], sep);
                break;
        }
    }
    return lines;
}

// Lines ended by CR LF, LF or nothing at the very end, as files come.
std::string file_bytes(Rng& rng, const std::vector<std::string>& lines) {
    std::string end = rng.chance(80) ? "\r\n" : "\n";
    std::string out;
    for (const auto& l : lines) out += l + end;
    if (rng.chance(10) && !out.empty()) out.pop_back();
    return out;
}

std::string shown(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) {
        for (unsigned char c : l) {
            if (c == '\t')
                out += "|";
            else if (c < 32 || c >= 127)
                out +=
                    "\\x" + std::string(1, "0123456789ABCDEF"[c >> 4]) + "0123456789ABCDEF"[c & 15];
            else
                out += static_cast<char>(c);
        }
        out += "\n";
    }
    return out;
}

std::string saved_bytes(Db& db, const fs::path& path) {
    std::string p = path.string();
    int format = 0;
    if (!write_hpd(p, db.store, db.files, 0, format, 0, false, db.prompter, no_progress()))
        return {};
    return read_file(p);
}

int system_count(const SystemStore& store) {
    int n = 0;
    for (auto id = store.first_root(); id != SystemStore::npos; id = store.next_sibling(id))
        n += starts_with(store.key_of(id), "SYS-");
    return n;
}

// How many lines of each kind a file has.
std::map<std::string, int> census(const std::string& file) {
    std::map<std::string, int> kinds;
    for (auto line : split_view(file, '\n')) ++kinds[std::string(line.substr(0, line.find('\t')))];
    return kinds;
}

// Whatever the store holds is saved, read back and saved again, and that once more. Every
// reading must find every system, the second file must have as many lines of each kind as the
// first (site and group ids are store positions and the reader's word replacements apply once,
// so the first two files may differ in text), and the third must be the second byte for byte.
// Empty when all of that held.
std::string save_and_read_back(Db& db) {
    if (db.store.empty()) return {};
    std::string saved = saved_bytes(db, db.dir / "saved.hpd");
    if (saved.empty())
        return "saving failed: " + (db.prompter.told.empty() ? "" : db.prompter.told.back());
    for (int round = 1; round <= 2; ++round) {
        Db back;
        write_file(back.dir / "saved.hpd", saved);
        ReadStats stats =
            read_hpd(back.dir / "saved.hpd", back.store, back.files, 0, 0, no_progress());
        if (stats.systems_added != system_count(db.store))
            return "read back " + std::to_string(stats.systems_added) + " of " +
                   std::to_string(system_count(db.store)) + " systems";
        std::string again = saved_bytes(back, back.dir / "again.hpd");
        if (round == 1 && census(again) != census(saved)) {
            std::string lost = "saving again changed the number of lines:";
            auto before = census(saved), after = census(again);
            for (const auto& [kind, count] : before)
                if (after[kind] != count)
                    lost += " " + kind + " " + std::to_string(count) + " -> " +
                            std::to_string(after[kind]);
            return lost;
        }
        if (round == 2 && again != saved)
            return "saving round 3: " + first_difference(again, saved);
        saved = std::move(again);
    }
    return {};
}

constexpr int k_database_cases = 1500;

TEST(HpdReaderRobustness, DamagedDatabasesReadAndSaveToFilesThatReadBackTheSame) {
    auto sample = read_lines(resources_dir() / "sample" / "sample.hpd");
    ASSERT_GT(sample.size(), 100u);
    Rng rng(20240314);
    int failures = 0;
    for (int n = 0; n < k_database_cases / sweep_stride() && failures < 3; ++n) {
        auto lines = damage_file(rng, sample);
        if (rng.chance(30)) lines[1] = rng.pick(k_format_lines);
        uint16_t flags = rng.chance(80) ? 0 : static_cast<uint16_t>(1 + rng.below(2));
        Db db;
        write_file(db.dir / "in.hpd", file_bytes(rng, lines));
        ReadStats stats = read_hpd(db.dir / "in.hpd", db.store, db.files, flags, 0, no_progress());
        ASSERT_TRUE(stats.opened);
        std::string fault = save_and_read_back(db);
        if (!fault.empty()) {
            ++failures;
            ADD_FAILURE() << "case " << n << " (flags " << flags << "): " << fault << "\n"
                          << shown(lines);
        }
    }
}

TEST(HpdReaderRobustness, TheSaveCheckReportsOnDamagedDatabasesWithoutHarm) {
    auto sample = read_lines(resources_dir() / "sample" / "sample.hpd");
    Rng rng(1976);
    for (int n = 0; n < 300; ++n) {
        auto lines = damage_file(rng, sample);
        Db db;
        write_file(db.dir / "a.hpd", file_bytes(rng, lines));
        write_file(db.dir / "b.hpd", file_bytes(rng, damage_file(rng, sample)));
        CheckReport report =
            check_hpd_files({db.dir / "a.hpd", db.dir / "b.hpd"}, 0, db.store, db.files);
        for (const auto& change : report.changes) {
            ASSERT_GE(change.line, 1) << "case " << n;
            ASSERT_FALSE(change.kind.empty()) << "case " << n;
        }
    }
}

TEST(HpdReaderRobustness, LoneKeywordsRandomBytesAndEndlessLinesReadWithoutHarm) {
    Rng rng(7);
    std::vector<std::string> lone;
    for (const auto& k : k_keywords) lone.push_back(k);
    for (const auto& k : k_keywords) lone.push_back(k + "\t");
    for (const auto& k : k_keywords) lone.push_back(k + std::string(40, '\t'));
    for (const char* header : {"FormatVersion   1.00", "FormatVersion   2.03"}) {
        Db db;
        auto lines = lone;
        lines.insert(lines.begin(), header);
        db.read_text(lines);
        EXPECT_EQ(save_and_read_back(db), "") << header;
    }
    for (int n = 0; n < 200; ++n) {
        Db db;
        write_file(db.dir / "in.hpd", random_bytes(rng, rng.below(4000)));
        EXPECT_TRUE(read_hpd(db.dir / "in.hpd", db.store, db.files, 0, 0, no_progress()).opened);
        EXPECT_EQ(save_and_read_back(db), "") << "random file " << n;
    }
    // A file without line ends is read in bounded pieces, not pulled in whole.
    Db db;
    write_file(db.dir / "long.hpd",
               "Conventional\t\t\tName\t" + std::string(3 * LineReader::k_max_line, 'x'));
    ReadStats stats = read_hpd(db.dir / "long.hpd", db.store, db.files, 0, 0, no_progress());
    EXPECT_EQ(stats.lines, 1);
    EXPECT_LE(db.store.get_node_text("SYS-001").size(), LineReader::k_max_line + 16);
}

// ---- the favorites configuration ----

bool same_rows(const std::vector<FavoritesRow>& a, const std::vector<FavoritesRow>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].number != b[i].number || a[i].name != b[i].name || a[i].file != b[i].file ||
            a[i].location != b[i].location || a[i].monitor != b[i].monitor)
            return false;
    return true;
}

TEST(FavoritesConfigRobustness, DamagedConfigurationsKeepSafeListsAndSaveToAFileThatReadsBack) {
    TempDir dir;
    fs::path folder = dir / "favorites_lists";
    fs::create_directories(folder);
    for (int n = 1; n <= 6; ++n) write_file(folder / list_file_name(n), "list\r\n");
    write_file(folder / "favorites_000001.HPD", "list\r\n");
    std::vector<std::string> base{"TargetModel HomePatrol-1", "FormatVersion   2.00"};
    for (int n = 1; n <= 6; ++n)
        base.push_back("F-List\tList " + std::to_string(n) + "\t" + list_file_name(n) + "\t" +
                       (n % 2 ? "On" : "Off") + "\tOn");
    const std::vector<std::string> names = {"../favorites_000001.hpd",
                                            "/etc/passwd",
                                            "C:\\favorites_000001.hpd",
                                            "..",
                                            "favorites_000001.HPD",
                                            "FAVORITES_000002.hpd",
                                            "favorites_000-00001.hpd",
                                            "favorites_00099999999999999999.hpd",
                                            std::string("favorites_000003.hpd\0x", 22),
                                            "favorites_000004.hpd ",
                                            "",
                                            "favorites_000005.hpd"};
    Rng rng(42);
    for (int n = 0; n < 600; ++n) {
        auto lines = damage_file(rng, base);
        if (rng.chance(40)) {
            size_t at = 2 + rng.below(base.size() - 2);
            if (at < lines.size()) {
                auto fields = split(lines[at], '\t');
                if (fields.size() > 2) fields[2] = rng.pick(names);
                lines[at] = join(fields, '\t');
            }
        }
        if (rng.chance(20) && lines.size() > 1) lines[1] = rng.pick(k_format_lines);
        write_file(folder / "favorites_lists.config", file_bytes(rng, lines));
        std::vector<FavoritesRow> rows;
        read_favorites_config(folder, rows);
        std::set<int> numbers;
        for (const auto& row : rows) {
            EXPECT_TRUE(is_safe_list_file_name(row.file)) << "case " << n << ": " << row.file;
            EXPECT_TRUE(numbers.insert(row.number).second) << "case " << n;
        }
        std::string saved;
        for (const auto& l : favorites_config_lines(rows)) saved += l + "\r\n";
        write_file(folder / "favorites_lists.config", saved);
        std::vector<FavoritesRow> back;
        read_favorites_config(folder, back);
        EXPECT_TRUE(same_rows(back, rows)) << "case " << n << "\n" << shown(lines);
    }
}

// ---- the master database ----

TEST(MasterDatabaseRobustness, DamagedIndexesGiveOnlyStatesWithTheirFiles) {
    std::vector<std::string> base{"TargetModel\tHomePatrol-1", "FormatVersion\t2.04",
                                  "DateModified\t06/09/2024"};
    for (int n = 1; n <= 12; ++n)
        base.push_back("StateInfo\tStateId=" + std::to_string(n) + "\tCountryId=1\tState " +
                       std::to_string(n) + "\tS" + std::to_string(n));
    base.push_back("CountyInfo\tCountyId=1\tStateId=6\tAlameda");
    TempDir dir;
    Rng rng(99);
    for (int n = 0; n < 600; ++n) {
        auto lines = damage_file(rng, base);
        write_file(dir / "HPDB.config", file_bytes(rng, lines));
        HpdbIndex index = read_hpdb_index(dir.path());
        ASSERT_TRUE(index.opened);
        EXPECT_LE(index.states.size(), lines.size());
        for (const auto& state : index.states) {
            EXPECT_GE(state.number, 0) << "case " << n;
            EXPECT_LE(state.number, 999999) << "case " << n;
            EXPECT_EQ(state.file_name, state_file_name(state.number));
            EXPECT_EQ(state_file_path(dir.path(), state.number).parent_path(), dir.path());
        }
    }
}

TEST(MasterDatabaseRobustness, DamagedStateFilesLoadAndImportWhatSavesAndReadsBack) {
    auto sample = read_lines(resources_dir() / "sample" / "sample.hpd");
    Rng rng(5150);
    int failures = 0;
    for (int n = 0; n < 300 && failures < 3; ++n) {
        auto lines = damage_file(rng, sample);
        Db db;
        write_file(db.dir / "s_000001.hpd", file_bytes(rng, lines));
        MasterLineStore store;
        ASSERT_TRUE(store.load(db.dir / "s_000001.hpd", no_progress()));
        for (size_t s = 0; s < store.systems().size(); ++s) store.tick(s, rng.chance(70));
        for (size_t i : store.ticked_lines()) ASSERT_LT(i, store.lines().size());
        store.import(db.store, db.files, db.prompter, no_progress());
        std::string fault = save_and_read_back(db);
        if (!fault.empty()) {
            ++failures;
            ADD_FAILURE() << "case " << n << ": " << fault << "\n" << shown(lines);
        }
    }
}

// ---- the reception log grid ----

TEST(LogGridRobustness, DamagedLogGridsOpenAndSaveToAFileThatOpensTheSame) {
    std::vector<std::string> base;
    for (int r = 1; r <= 20; ++r)
        base.push_back("\"TGID\",\"" + std::to_string(1200 + r) +
                       "\",\"Dispatch, North\",\"\",\"\",\"55\",\"Oak County\",\"Police\","
                       "\"Full\",\"3\",\"4\",\"FM\",\"10:00:0" +
                       std::to_string(r % 10) + "\",\"2024-05-01\",\"12\"");
    TempDir dir;
    Rng rng(1234);
    for (int n = 0; n < 300; ++n) {
        auto lines = damage_file(rng, base, ',');
        if (rng.chance(10)) lines.resize(600, lines.front());
        write_file(dir / "loggrid.ini", file_bytes(rng, lines));
        remote::ReceptionLog log;
        ASSERT_TRUE(log.open_grid(dir / "loggrid.ini"));
        ASSERT_TRUE(log.save_grid(dir / "saved.ini"));
        remote::ReceptionLog back;
        ASSERT_TRUE(back.open_grid(dir / "saved.ini"));
        for (int r = 1; r <= remote::k_log_rows; ++r)
            ASSERT_EQ(back.row(r), log.row(r)) << "case " << n << " row " << r << "\n"
                                               << shown(lines);
    }
}

TEST(LogGridRobustness, ALineWithoutLineEndsIsCutNotTakenWhole) {
    TempDir dir;
    write_file(dir / "loggrid.ini", "\"" + std::string(3 * LineReader::k_max_line, 'x'));
    remote::ReceptionLog log;
    ASSERT_TRUE(log.open_grid(dir / "loggrid.ini"));
    EXPECT_LE(log.row(1)[remote::col_type].size(), LineReader::k_max_line);
    EXPECT_EQ(log.used_rows(), 1);
}

}  // namespace
}  // namespace tarvex::test
