// Backups of the card and the service-search lists.
#include <gtest/gtest.h>

#include <regex>

#include "card_fixture.h"
#include "core/card/card_backup.h"
#include "core/card/favorites_manager.h"

namespace tarvex::test {
namespace {

struct Backup : ::testing::Test {
    Card card;
    TempDir data;
    RecordingPrompter prompter{Answer::Yes};
    RecordingProgress progress;
    std::chrono::system_clock::time_point now = std::chrono::system_clock::now();
    std::string stamp = backup_stamp(now);

    void SetUp() override {
        card.config({"A|favorites_000001.hpd|On|On"});
        card.list_file(1, "one\r\n");
        card.list_file(2, "two\r\n");
    }
    BackupResult run(BackupKind kind, const CopyFileFn& copy = default_copy()) {
        return run_backup(kind, card.folders(), data.path(), prompter, progress, copy, now);
    }
};

TEST_F(Backup, TheStampIsDateAndTimeWithoutSeparators) {
    EXPECT_TRUE(std::regex_match(stamp, std::regex("[0-9]{8}_[0-9]{6}"))) << stamp;
}

TEST_F(Backup, FavoritesBackupOnTheCardCopiesEveryFile) {
    BackupResult r = run(BackupKind::FavoritesOnCard);
    fs::path target = card.favorites / ("backup" + stamp);
    ASSERT_TRUE(r.done);
    EXPECT_EQ(r.target, target);
    EXPECT_EQ(prompter.questions, std::vector<std::string>{"Backup fav files on HP_1?"});
    EXPECT_EQ(read_file(target / "favorites_000002.hpd"), "two\r\n");
    EXPECT_EQ(progress.statuses, (std::vector<std::string>{"Copying: favorites_000001.hpd",
                                                           "Copying: favorites_000002.hpd",
                                                           "Copying: favorites_lists.config"}));
    EXPECT_EQ(prompter.told.back(), "Backup saved under:" + target.string());
    // A second backup in the same second lands in the same folder and overwrites it.
    EXPECT_TRUE(run(BackupKind::FavoritesOnCard).done);
    EXPECT_FALSE(fs::exists(target / ("backup" + stamp)));
}

TEST_F(Backup, BackupsToThePcGoToStampedFoldersOfTheDataFolder) {
    EXPECT_TRUE(run(BackupKind::FavoritesCopyToPc).done);
    EXPECT_EQ(prompter.told.back(),
              "Copy saved under:" + (data / ("hp1_favorites" + stamp)).string());
    EXPECT_TRUE(run(BackupKind::FavoritesBackupToPc).done);
    EXPECT_TRUE(fs::exists(data / ("favbackup" + stamp) / "favorites_lists.config"));

    fs::create_directories(card.base / "Audio" / "2024");
    write_file(card.base / "Audio" / "2024" / "rec1.wav", "RIFF");
    EXPECT_TRUE(run(BackupKind::WholeCard).done);
    EXPECT_EQ(prompter.told.back(),
              "Done, saved under: " + (data / ("hp1backup_" + stamp)).string());
    EXPECT_EQ(read_file(data / ("hp1backup_" + stamp) / "favorites_lists" / "favorites_000001.hpd"),
              "one\r\n");
    EXPECT_TRUE(run(BackupKind::Audio).done);
    EXPECT_EQ(read_file(data / ("hp1_audio_" + stamp) / "2024" / "rec1.wav"), "RIFF");
    EXPECT_EQ(prompter.told.back(),
              "Audio backup saved under:" + (data / ("hp1_audio_" + stamp)).string());
}

TEST_F(Backup, AnsweringNoDoesNothing) {
    RecordingPrompter no{Answer::No};
    auto r = run_backup(BackupKind::FavoritesBackupToPc, card.folders(), data.path(), no, progress,
                        default_copy(), now);
    EXPECT_FALSE(r.done);
    EXPECT_TRUE(fs::is_empty(data.path()));
    EXPECT_TRUE(no.told.empty());
}

TEST_F(Backup, AFullDiskStopsAndKeepsWhatWasCopied) {
    int copies = 0;
    CopyFileFn fills_up = [&](const fs::path& from, const fs::path& to) {
        if (++copies > 2) return std::make_error_code(std::errc::no_space_on_device);
        return copy_file_safely(from, to);
    };
    BackupResult r = run(BackupKind::FavoritesCopyToPc, fills_up);
    EXPECT_FALSE(r.done);
    EXPECT_TRUE(r.disk_full);
    EXPECT_EQ(r.files_copied, 2);
    EXPECT_EQ(prompter.told, std::vector<std::string>{"Error, Disk is Full"});
    EXPECT_EQ(read_file(r.target / "favorites_000001.hpd"), "one\r\n");
    EXPECT_TRUE(fs::exists(r.target / "favorites_000002.hpd"));
    EXPECT_FALSE(fs::exists(r.target / "favorites_lists.config"));
}

TEST_F(Backup, QuotaAndFileSizeLimitsCountAsAFullDisk) {
    EXPECT_TRUE(is_disk_full(std::error_code(EDQUOT, std::system_category())));
    EXPECT_TRUE(is_disk_full(std::make_error_code(std::errc::file_too_large)));
    EXPECT_FALSE(is_disk_full(std::make_error_code(std::errc::permission_denied)));
}

TEST_F(Backup, ServiceSearchListsBecomeNewLists) {
    TempDir service;
    write_file(service / "Airband.hpd", "air\r\n");
    FavoritesManager manager{card.folders()};
    manager.read_config(prompter);
    EXPECT_EQ(upload_service_search(manager, 7, service.path(), prompter), 2);
    EXPECT_EQ(upload_service_search(manager, 7, service.path(), prompter), 3);
    EXPECT_EQ(read_file(card.favorites / "favorites_000003.hpd"), "air\r\n");
    auto lines = read_lines(card.favorites / "favorites_lists.config");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3], "F-List\tAirband\tfavorites_000002.hpd\tOff\tOn");
    EXPECT_EQ(lines[4], "F-List\tAirband\tfavorites_000003.hpd\tOff\tOn");
    // A button whose file is missing adds nothing.
    EXPECT_EQ(upload_service_search(manager, 0, service.path(), prompter), 0);
    EXPECT_EQ(manager.rows().size(), 3u);
}

TEST_F(Backup, TheShippedServiceSearchFilesMatchTheButtons) {
    for (const auto& list : k_service_search_lists)
        EXPECT_TRUE(fs::exists(resources_dir() / "service_search" / std::string(list.file)))
            << list.file;
}

}  // namespace
}  // namespace tarvex::test
