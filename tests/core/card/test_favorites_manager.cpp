// The favorites lists on the card: reading and writing the configuration, upload, load,
// delete, reorder, orphan scan, and configurations that try to reach outside the folder.
#include <gtest/gtest.h>

#include "card_fixture.h"
#include "core/card/favorites_manager.h"

namespace tarvex::test {
namespace {

struct Favorites : ::testing::Test {
    Card card;
    Editor editor;
    RecordingPrompter prompter;
    RecordingProgress progress;
    FavoritesManager manager{card.folders()};

    std::vector<std::string> config_lines() {
        return read_lines(card.favorites / "favorites_lists.config");
    }
    std::vector<int> numbers() {
        std::vector<int> out;
        for (const auto& r : manager.rows()) out.push_back(r.number);
        return out;
    }
    bool upload_new(const std::string& name) {
        UploadChoice c;
        c.name = name;
        return manager.upload(c, editor.store, editor.files, prompter, progress);
    }
};

// ---- the configuration ----

TEST_F(Favorites, VersionOneConfigurationReadsMonitorOnAndIsWrittenAsTwo) {
    card.config({"Home|favorites_000001.hpd|On", "Trip|favorites_000002.hpd|Off"}, "1.00");
    card.list_file(1);
    card.list_file(2);
    ConfigRead r = manager.read_config(prompter);
    EXPECT_EQ(r.version, 1);
    ASSERT_EQ(manager.rows().size(), 2u);
    EXPECT_TRUE(manager.rows()[0].location);
    EXPECT_FALSE(manager.rows()[1].location);
    EXPECT_TRUE(manager.rows()[0].monitor && manager.rows()[1].monitor);
    prompter.script({Answer::Yes});
    ASSERT_TRUE(manager.save_config(prompter));
    EXPECT_EQ(prompter.questions.back(), "Ok to overwrite favorites_lists.config file?");
    EXPECT_EQ(config_lines(),
              (std::vector<std::string>{"TargetModel HomePatrol-1", "FormatVersion   2.00",
                                        "F-List\tHome\tfavorites_000001.hpd\tOn\tOn",
                                        "F-List\tTrip\tfavorites_000002.hpd\tOff\tOn"}));
    // The configuration as it was is kept beside it.
    EXPECT_EQ(read_lines(card.favorites / "favorites_lists.backup")[1], "FormatVersion   1.00");
}

TEST_F(Favorites, LinesWithoutTheirListFileAreDroppedAndGoneAfterSaving) {
    card.config({"Home|favorites_000001.hpd|On|Off", "Gone|favorites_000005.hpd|On|On"});
    card.list_file(1);
    ConfigRead r = manager.read_config(prompter);
    EXPECT_EQ(r.missing_files, 1);
    EXPECT_EQ(numbers(), std::vector<int>{1});
    EXPECT_TRUE(prompter.told.empty());
    prompter.script({Answer::Yes});
    manager.save_config(prompter);
    EXPECT_EQ(config_lines().size(), 3u);
}

TEST_F(Favorites, SavingAskedNoLeavesTheCardAlone) {
    card.config({"Home|favorites_000001.hpd|On|Off"});
    card.list_file(1);
    manager.read_config(prompter);
    std::string before = read_file(card.favorites / "favorites_lists.config");
    EXPECT_FALSE(manager.save_config(prompter));
    EXPECT_EQ(read_file(card.favorites / "favorites_lists.config"), before);
    EXPECT_FALSE(fs::exists(card.favorites / "favorites_lists.backup"));
}

// ---- upload ----

TEST_F(Favorites, UploadRefusesWithoutDataNameOrChoice) {
    card.config({});
    manager.read_config(prompter);
    EXPECT_FALSE(upload_new("Mine"));
    editor.read_text(harbor_hpd());
    EXPECT_FALSE(upload_new("  "));
    UploadChoice existing;
    existing.existing = true;
    EXPECT_FALSE(manager.upload(existing, editor.store, editor.files, prompter, progress));
    EXPECT_EQ(prompter.told,
              (std::vector<std::string>{"No HPD file active, can not upload data.",
                                        "Please enter a name for the new Favorite List",
                                        "Please select a favorite file."}));
    EXPECT_TRUE(manager.rows().empty());
}

TEST_F(Favorites, NewListTakesTheLowestFreeNumber) {
    card.config({"A|favorites_000001.hpd|On|On", "B|favorites_000002.hpd|On|On",
                 "D|favorites_000004.hpd|On|On"});
    for (int n : {1, 2, 4}) card.list_file(n);
    manager.read_config(prompter);
    editor.read_text(harbor_hpd());
    ASSERT_TRUE(upload_new("Harbor"));
    EXPECT_EQ(progress.statuses,
              (std::vector<std::string>{"PLEASE WAIT - shaving file", "Save ready"}));
    EXPECT_EQ(config_lines().back(), "F-List\tHarbor\tfavorites_000003.hpd\tOn\tOn");
    EXPECT_EQ(read_lines(card.favorites / "favorites_000003.hpd"), editor.written());
    EXPECT_EQ(numbers(), (std::vector<int>{1, 2, 4, 3}));
}

TEST_F(Favorites, UploadToAnExistingListReplacesItAfterConfirmation) {
    card.config({"Old|favorites_000001.hpd|Off|Off"});
    card.list_file(1, "old list\r\n");
    manager.read_config(prompter);
    editor.read_text(harbor_hpd());
    UploadChoice c;
    c.existing = true;
    c.selected = 1;
    c.location = true;
    c.monitor = false;
    EXPECT_FALSE(manager.upload(c, editor.store, editor.files, prompter, progress));  // answered No
    EXPECT_EQ(read_file(card.favorites / "favorites_000001.hpd"), "old list\r\n");
    EXPECT_EQ(prompter.questions.back(),
              "Warning, data in existing Favorite List will be lost, Continue?");

    prompter.script({Answer::Yes});
    ASSERT_TRUE(manager.upload(c, editor.store, editor.files, prompter, progress));
    EXPECT_EQ(read_lines(card.favorites / "favorites_000001.hpd"), editor.written());
    EXPECT_EQ(read_file(card.favorites / "favorites_000001.bac"), "old list\r\n");
    EXPECT_EQ(config_lines().back(), "F-List\tOld\tfavorites_000001.hpd\tOn\tOff");
}

// ---- load, round trip ----

TEST_F(Favorites, AnUploadedListLoadsBackAsTheSameData) {
    card.config({});
    manager.read_config(prompter);
    editor.read_text(harbor_hpd());
    auto before = editor.written();
    ASSERT_TRUE(upload_new("Harbor"));

    FavoritesManager again{card.folders()};
    again.read_config(prompter);
    EXPECT_FALSE(again.load(0, editor.store, editor.files, {}, prompter, progress));
    EXPECT_EQ(prompter.told.back(), "Please select a favorite file.");
    progress.statuses.clear();
    ASSERT_TRUE(again.load(1, editor.store, editor.files, {}, prompter, progress));
    EXPECT_EQ(progress.statuses.front(), "PLEASE WAIT loading file.");
    EXPECT_EQ(progress.statuses.back(), "Load ok.");
    EXPECT_EQ(editor.written(), before);  // cleared first: one system, not two
}

// ---- delete ----

TEST_F(Favorites, DeletingAListLeavesItsBackups) {
    card.config({"A|favorites_000001.hpd|On|On", "B|favorites_000002.hpd|Off|On"});
    card.list_file(1);
    card.list_file(2, "list two\r\n");
    manager.read_config(prompter);
    std::string config_before = read_file(card.favorites / "favorites_lists.config");

    EXPECT_FALSE(manager.delete_list(0, prompter));
    EXPECT_EQ(prompter.told.back(), "Please select Favorite List");
    EXPECT_FALSE(manager.delete_list(2, prompter));  // answered No
    EXPECT_TRUE(fs::exists(card.favorites / "favorites_000002.hpd"));
    EXPECT_EQ(prompter.questions.back(),
              "Warning, all data in existing Favorite List will be lost, Continue?");

    prompter.script({Answer::Yes});
    ASSERT_TRUE(manager.delete_list(2, prompter));
    EXPECT_FALSE(fs::exists(card.favorites / "favorites_000002.hpd"));
    EXPECT_EQ(read_file(card.favorites / "favorites_000002.bac"), "list two\r\n");
    EXPECT_EQ(read_file(card.favorites / "favorites_lists.backup"), config_before);
    EXPECT_EQ(config_lines().size(), 3u);
    EXPECT_EQ(numbers(), std::vector<int>{1});
}

// ---- apply, move, orphans, close ----

TEST_F(Favorites, ApplyAndMoveChangeTheConfigurationOrder) {
    card.config({"A|favorites_000001.hpd|On|On", "B|favorites_000002.hpd|On|On",
                 "C|favorites_000003.hpd|On|On"});
    for (int n : {1, 2, 3}) card.list_file(n);
    manager.read_config(prompter);
    EXPECT_TRUE(manager.apply(2, "Bee", false, true, prompter));
    EXPECT_TRUE(manager.move(3, -1));
    EXPECT_TRUE(manager.move(3, -1));
    EXPECT_FALSE(manager.move(3, -1));  // already first
    EXPECT_TRUE(manager.move(1, +1));
    EXPECT_EQ(numbers(), (std::vector<int>{3, 2, 1}));
    EXPECT_TRUE(manager.changed());
    prompter.script({Answer::Yes});
    manager.close(prompter);
    EXPECT_EQ(prompter.questions.back(), "Save new Favorites Config file?");
    auto lines = config_lines();
    EXPECT_EQ(lines[2], "F-List\tC\tfavorites_000003.hpd\tOn\tOn");
    EXPECT_EQ(lines[3], "F-List\tBee\tfavorites_000002.hpd\tOff\tOn");
}

TEST_F(Favorites, OrphanScanListsFilesWithoutALine) {
    card.config({"A|favorites_000001.hpd|On|On"});
    card.list_file(1);
    card.list_file(9);
    write_file(card.favorites / "notes.hpd", "x");
    manager.read_config(prompter);
    EXPECT_EQ(manager.orphan_scan(), std::vector<int>{9});
    EXPECT_EQ(manager.rows().back().name, "Orphan 9");
    EXPECT_EQ(manager.rows().back().file, "favorites_000009.hpd");
    EXPECT_TRUE(manager.orphan_scan().empty());
}

// ---- hostile configurations ----

TEST_F(Favorites, FileNamesLeavingTheFolderAreRefusedAndNeverTouched) {
    write_file(card.base / "outside.hpd", "keep me\r\n");
    write_file(card.dir / "far.hpd", "keep me too\r\n");
    card.config({"Up|../outside.hpd|On|On", "Abs|" + (card.dir / "far.hpd").string() + "|On|On",
                 "Sub|sub/favorites_000004.hpd|On|On", "Drive|C:favorites_000005.hpd|On|On",
                 "Back|..\\outside.hpd|On|On", "Fine|favorites_000001.hpd|On|On"});
    card.list_file(1);
    manager.read_config(prompter);
    EXPECT_EQ(numbers(), std::vector<int>{1});
    ASSERT_EQ(prompter.told.size(), 5u);
    EXPECT_EQ(prompter.told[0],
              "Favorite List file name refused, it points outside the "
              "favorites_lists folder: ../outside.hpd");
    editor.read_text(harbor_hpd());
    prompter.script({Answer::Yes, Answer::Yes});
    EXPECT_TRUE(upload_new("New"));
    EXPECT_TRUE(manager.delete_list(1, prompter));
    EXPECT_EQ(read_file(card.base / "outside.hpd"), "keep me\r\n");
    EXPECT_EQ(read_file(card.dir / "far.hpd"), "keep me too\r\n");
    EXPECT_FALSE(fs::exists(card.base / "outside.bac"));
    for (const auto& line : config_lines()) EXPECT_EQ(line.find(".."), std::string::npos) << line;
}

TEST_F(Favorites, AFloodOfRefusedNamesIsToldInElevenMessagesAndReadingStops) {
    // A damaged configuration of endless lines must not keep the user clicking through
    // refusals, nor the reader looking for list files, for minutes.
    std::vector<std::string> lists{"Fine|favorites_000001.hpd|On|On"};
    for (int n = 0; n < 20000; ++n) lists.push_back("Up|../x" + std::to_string(n) + ".hpd|On|On");
    card.config(lists);
    card.list_file(1);
    manager.read_config(prompter);
    EXPECT_EQ(numbers(), std::vector<int>{1});
    ASSERT_EQ(prompter.told.size(), 11u);
    EXPECT_EQ(prompter.told.back(),
              "Favorite List file names refused, 9989 more point outside the favorites_lists "
              "folder.");
}

TEST_F(Favorites, ALinkedFavoritesFolderIsNeverUsed) {
    TempDir elsewhere;
    write_file(elsewhere / "favorites_lists.config",
               "TargetModel HomePatrol-1\r\nFormatVersion   2.00\r\n");
    fs::remove_all(card.favorites);
    fs::create_directory_symlink(elsewhere.path(), card.favorites);
    FavoritesManager linked{card.folders()};
    linked.read_config(prompter);
    editor.read_text(harbor_hpd());
    UploadChoice c;
    c.name = "New";
    EXPECT_FALSE(linked.upload(c, editor.store, editor.files, prompter, progress));
    EXPECT_TRUE(linked.orphan_scan().empty());
    EXPECT_EQ(read_file(elsewhere / "favorites_lists.config"),
              "TargetModel HomePatrol-1\r\nFormatVersion   2.00\r\n");
    EXPECT_FALSE(fs::exists(elsewhere / "favorites_000001.hpd"));
    EXPECT_EQ(prompter.told.size(), 2u);
}

// ---- a full card ----

TEST_F(Favorites, AFullCardStopsBeforeAnythingIsReplaced) {
    card.config({"A|favorites_000001.hpd|On|On"});
    card.list_file(1, "list one\r\n");
    FavoritesManager full{card.folders(), [](const fs::path&, const fs::path&) {
                              return std::make_error_code(std::errc::no_space_on_device);
                          }};
    full.read_config(prompter);
    editor.read_text(harbor_hpd());
    std::string config_before = read_file(card.favorites / "favorites_lists.config");
    prompter.script({Answer::Yes, Answer::Yes});
    UploadChoice c;
    c.existing = true;
    c.selected = 1;
    EXPECT_FALSE(full.upload(c, editor.store, editor.files, prompter, progress));
    EXPECT_FALSE(full.delete_list(1, prompter));
    EXPECT_EQ(prompter.told,
              (std::vector<std::string>{"Error, Disk is Full", "Error, Disk is Full"}));
    EXPECT_EQ(read_file(card.favorites / "favorites_000001.hpd"), "list one\r\n");
    EXPECT_EQ(read_file(card.favorites / "favorites_lists.config"), config_before);
    EXPECT_EQ(full.rows().size(), 1u);
}

}  // namespace
}  // namespace tarvex::test
