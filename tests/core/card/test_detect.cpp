// Finding the card and deciding whether its scanner can be worked with.
#include <gtest/gtest.h>

#include "card_fixture.h"
#include "core/base/text.h"
#include "core/card/detect.h"
#include "core/settings/settings.h"

namespace tarvex::test {
namespace {

struct Detect : ::testing::Test {
    Card card;
    TempDir work;
    TempDir empty_drive;
    Detection run(std::vector<fs::path> roots) {
        FixedDriveRoots drives(std::move(roots));
        return detect_hp1(drives, work.path(), nullptr);
    }
};

TEST_F(Detect, NoCardFoundReportsEveryProbeInDrivetest) {
    TempDir other;
    Detection d = run({empty_drive.path(), other.path()});
    EXPECT_EQ(d.decision, CardDecision::NotFound);
    EXPECT_EQ(d.status,
              "HP1 not found, please plug USB cable in, select MASS STORAGE DEVICE and try again "
              "by pressing 'Detect HP1' button.");
    auto lines = read_lines(work / "drivetest.txt");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], empty_drive.path().string() + " " + other.path().string());
    EXPECT_TRUE(starts_with(
        lines[1], (empty_drive.path() / "HomePatrol" / "HomePatrol.info").string() + " / 2 / "));
    EXPECT_EQ(read_lines(work / "version.txt").back(), d.status);
}

TEST_F(Detect, HomePatrolOneWithFirmwareOneIsRefused) {
    card.identity("HomePatrol-1\tUS\t0012345678\t1.03.05");
    card.database("06/09/2024 17:00:02");
    Detection d = run({empty_drive.path(), card.root});
    EXPECT_EQ(d.decision, CardDecision::FirmwareTooOld);
    EXPECT_EQ(d.info.file_format, 1);
    EXPECT_EQ(d.status,
              "HP-1/2 detected at drive " + card.root.string() +
                  " DBase=06/09/2024 17:00:02 Firmware=1.03.05 Serial=0012345678 FileFormat:1");
    EXPECT_EQ(k_firmware_message, "Please update your HP-1 to firmware V2 before using TARVEX V2");
    auto version = read_lines(work / "version.txt");
    ASSERT_EQ(version.size(), 2u);
    EXPECT_EQ(version[0], "hpfversie: 1");
    EXPECT_EQ(version[1], d.status);
}

TEST_F(Detect, FirmwareTwoAndAnyHomePatrolTwoAreAccepted) {
    card.identity("HomePatrol-1\tUS\t0012345678\t2.04.11");
    Detection d = run({card.root});
    EXPECT_EQ(d.decision, CardDecision::Accepted);
    EXPECT_EQ(d.info.file_format, 2);
    EXPECT_FALSE(d.info.hp2);
    EXPECT_EQ(d.folders().favorites, card.favorites);

    card.identity("HomePatrol-2\tUS\t0099\t1.00.02");
    d = run({card.root});
    EXPECT_EQ(d.decision, CardDecision::Accepted);
    EXPECT_TRUE(d.info.hp2);
    EXPECT_EQ(d.info.file_format, 2);
    EXPECT_EQ(d.info.database_date, "");  // no HPDB.config: the date stays empty
}

TEST_F(Detect, FolderNamesMatchWithoutRegardToCase) {
    TempDir drive;
    fs::create_directories(drive / "Homepatrol" / "hpdb");
    write_file(drive / "Homepatrol" / "homepatrol.INFO",
               crlf({"a", "b", "HomePatrol-1\tUS\t7\t2.01"}));
    write_file(drive / "Homepatrol" / "hpdb" / "hpdb.config",
               crlf({"a", "b", "DateModified\t01/02/2023"}));
    Detection d = run({drive.path()});
    EXPECT_EQ(d.decision, CardDecision::Accepted);
    EXPECT_EQ(d.info.base, drive / "Homepatrol");
    EXPECT_EQ(d.info.database_date, "01/02/2023");
}

TEST_F(Detect, AFileWithoutAnIdentityLineIsNoScanner) {
    card.identity("");
    EXPECT_EQ(run({card.root}).decision, CardDecision::NotFound);
    card.identity("Something else\tUS\t1\t2.0");
    EXPECT_EQ(run({card.root}).decision, CardDecision::NotFound);
}

TEST_F(Detect, WithSeveralCardsTheFirstUsableOneIsUsed) {
    Card old_card, new_card;
    old_card.identity("HomePatrol-1\tUS\t1\t1.02");
    new_card.identity("HomePatrol-1\tUS\t2\t2.03");
    Detection d = run({old_card.root, new_card.root});
    EXPECT_EQ(d.decision, CardDecision::Accepted);
    EXPECT_EQ(d.info.serial, "2");
    EXPECT_EQ(d.found.size(), 2u);
}

TEST_F(Detect, ScannerFactsGoToTheGeneralSettings) {
    card.identity("HomePatrol-1\tUS\t0012345678\t2.04.11");
    card.database("06/09/2024 17:00:02");
    MemorySettingsBackend main, import;
    Settings settings(main, import);
    FixedDriveRoots drives({card.root});
    detect_hp1(drives, {}, &settings);
    EXPECT_EQ(settings.GetSetting("general", "firmware", ""), "2.04.11");
    EXPECT_EQ(settings.GetSetting("general", "serienum", ""), "0012345678");
    EXPECT_EQ(settings.GetSetting("general", "hpinfo", ""),
              "HomePatrol-1\tUS\t0012345678\t2.04.11");
    EXPECT_EQ(settings.GetSetting("general", "hpdbase", ""), "06/09/2024 17:00:02");
}

}  // namespace
}  // namespace tarvex::test
