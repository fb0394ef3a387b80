// Round trips through the reader and the writer, on our own sample database and on the real
// master database files when they are present.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/hpd/hpd_check.h"
#include "core/model/store_keys.h"
#include "hpd_fixture.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

// Every node (key, parent, text) in store order and every group file's lines.
std::vector<std::string> snapshot(const Db& db) {
    std::vector<std::string> out;
    const auto& s = db.store;
    for (auto id = s.first_in_store(); id != SystemStore::npos; id = s.next_in_store(id)) {
        auto p = s.parent_of(id);
        out.push_back(s.key_of(id) + "|" + (p == SystemStore::npos ? "" : s.key_of(p)) + "|" +
                      s.text_of(id));
        if (starts_with(s.key_of(id), "GRP-"))
            for (const auto& l :
                 db.rows(keys::group_system_of(s.key_of(id)), keys::group_of(s.key_of(id))))
                out.push_back("  " + l);
    }
    return out;
}

std::string write_to(Db& db, const std::filesystem::path& path) {
    std::string p = path.string();
    int format = 0;
    EXPECT_TRUE(write_hpd(p, db.store, db.files, 0, format, 0, false, db.prompter, no_progress()));
    return read_file(p);
}

}  // namespace

TEST(HpdRoundTrip, TheSampleDatabaseReadsAndWritesBackToTheSameBytesAndStore) {
    auto sample = resources_dir() / "sample" / "sample.hpd";
    ASSERT_TRUE(std::filesystem::exists(sample));
    Db first;
    read_hpd(sample, first.store, first.files, 0, 0, no_progress());
    EXPECT_EQ(first_difference(write_to(first, first.dir / "again.hpd"), read_file(sample)), "");
    Db second;
    read_hpd(first.dir / "again.hpd", second.store, second.files, 0, 0, no_progress());
    EXPECT_EQ(snapshot(second), snapshot(first));
    Db checked;
    EXPECT_FALSE(check_hpd_files({sample}, 0, checked.store, checked.files).any())
        << "the sample is in the form saving writes";
}

TEST(HpdRoundTrip, ServiceSearchListsAreInTheFormSavingWrites) {
    for (const char* name : {"cb.hpd", "frs.hpd", "gmrs.hpd", "MarineVHF.hpd", "railroad.hpd",
                             "HAM2meter.hpd", "HAM70cm.hpd", "Airband.hpd"}) {
        auto path = resources_dir() / "service_search" / name;
        ASSERT_TRUE(std::filesystem::exists(path)) << name;
        Db db;
        read_hpd(path, db.store, db.files, 0, 0, no_progress());
        EXPECT_FALSE(db.store.empty()) << name;
        EXPECT_EQ(first_difference(write_to(db, db.dir / "again.hpd"), read_file(path)), "")
            << name;
    }
}

TEST(HpdRoundTrip, EveryRealMasterDatabaseStateFileSurvivesAReadWriteRead) {
    auto dir = samples_dir();
    if (dir.empty()) GTEST_SKIP() << "real scanner files not present";
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "hpdb"))
        if (entry.path().extension() == ".hpd") files.push_back(entry.path());
    EXPECT_EQ(files.size(), 62u);
    std::sort(files.begin(), files.end());
    for (size_t i = 0; i < files.size(); i += sweep_stride()) {
        const auto& file = files[i];
        Db original;
        auto stats = read_hpd(file, original.store, original.files, 0, 0, no_progress());
        ASSERT_TRUE(stats.opened);
        std::string once = write_to(original, original.dir / "once.hpd");
        Db reread;
        read_hpd(original.dir / "once.hpd", reread.store, reread.files, 0, 0, no_progress());
        ASSERT_EQ(reread.store.size(), original.store.size()) << file;
        auto a = snapshot(original), b = snapshot(reread);
        ASSERT_EQ(a.size(), b.size()) << file;
        // Same records and rows (talkgroup cleaning may change a value, never a count); a
        // second save writes the same bytes.
        EXPECT_EQ(first_difference(write_to(reread, reread.dir / "twice.hpd"), once), "") << file;
    }
}

TEST(HpdRoundTrip, LaterModelFilesReadWithoutCrashingAndKeepWhatTheyKnow) {
    auto dir = samples_dir();
    if (dir.empty()) GTEST_SKIP() << "real scanner files not present";
    for (const auto& entry : std::filesystem::directory_iterator(dir / "hpd")) {
        Db db;
        auto stats = read_hpd(entry.path(), db.store, db.files, 0, 0, no_progress());
        EXPECT_TRUE(stats.opened);
        db.written();
    }
}
