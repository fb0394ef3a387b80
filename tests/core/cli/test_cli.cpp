// tarvex-cli as a script uses it: exit codes, what goes to stdout and stderr, files written.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli_run.h"
#include "core/base/text.h"
#include "support/test_support.h"

using namespace tarvex;
using namespace tarvex::test;

TEST(Cli, DumpPrintsNodesInStoreOrderThenGroupFilesByName) {
    TempDir dir;
    CliRun r = cli("dump " + sample(), dir);
    ASSERT_EQ(r.code, 0) << r.err;
    auto lines = split(r.out, '\n');
    EXPECT_TRUE(starts_with(lines[0], "SYS-001\t\tSIN,Conventional,1,"));
    EXPECT_TRUE(starts_with(lines[1], "GRP-999-001-000\tSYS-001\tGIN,C-Group,"));
    auto first_file = std::find(lines.begin(), lines.end(), "# GRP-999-001-000.tmp");
    ASSERT_NE(first_file, lines.end());
    EXPECT_TRUE(starts_with(*(first_file + 1), "1,155.61,Sheriff Dispatch,Off,NFM,CTCSS,136.5,"));
    // Reading the same file twice (like "Add HPD File") gives its systems new indexes.
    CliRun twice = cli("dump --trunked-only " + sample() + " " + sample(), dir);
    EXPECT_NE(twice.out.find("SYS-008\t\tSIN,LTR"), std::string::npos);
    EXPECT_EQ(twice.out.find("SIN,Conventional"), std::string::npos);
}

TEST(Cli, ConvertWritesTheFileAndNamesIt) {
    TempDir dir;
    std::string out = (dir / "out.hpd").string();
    CliRun r = cli("convert -o " + out + " " + sample(), dir);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, out + "\n");
    EXPECT_EQ(read_file(out), read_file(sample()));
    CliRun again = cli("convert --no-overwrite -o " + out + " " + sample(), dir);
    EXPECT_EQ(again.out, (dir / "out_.hpd").string() + "\n");
    CliRun one = cli("convert --system 2 -o " + (dir / "two.hpd").string() + " " + sample(), dir);
    ASSERT_EQ(one.code, 0);
    auto lines = read_lines(dir / "two.hpd");
    EXPECT_TRUE(starts_with(lines[2], "Trunk\t\t\tHarbor Regional Trunked"));
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return starts_with(l, "Trunk\t"); }),
              1);
}

TEST(Cli, CheckListsWhatSavingWouldChange) {
    TempDir dir;
    EXPECT_EQ(cli("check " + sample(), dir).code, 0);
    write_file(
        dir / "odd.hpd",
        "FormatVersion\t2.00\r\nConventional\tAgencyId=1\t\tA\tOff\t\tConventional\r\n"
        "C-Group\tCGroupId=1\tAgencyId=1\tG\tOff\t\t\t\tCircle\r\n"
        "C-Freq\t\t\tTag\tOff\t155000000\tWFM\t\t2\tOff\t7\t0\tOff\tAuto\tOff\tOn\tOff\tOff\r\n"
        "TGID\t\t\torphan\r\n");
    CliRun r = cli("check " + (dir / "odd.hpd").string(), dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("odd.hpd:4: C-Freq Mode: \"WFM\" -> \"AUTO\""), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("odd.hpd:4: C-Freq Delay Time: \"7\" -> \"2\""), std::string::npos);
    EXPECT_NE(r.out.find("odd.hpd:5: TGID: not written"), std::string::npos);
}

TEST(Cli, InfoCountsEveryKindOfRecord) {
    TempDir dir;
    CliRun r = cli("info " + sample(), dir);
    ASSERT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("systems: 5\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  Motorola: 1\n"), std::string::npos);
    EXPECT_NE(r.out.find("channels: 32\n"), std::string::npos);
    EXPECT_NE(r.out.find("unit IDs: 7\n"), std::string::npos);
}

TEST(Cli, WrongUsageAndMissingFilesAreToldClearly) {
    TempDir dir;
    EXPECT_EQ(cli("", dir).code, 2);
    EXPECT_EQ(cli("frobnicate", dir).code, 2);
    EXPECT_EQ(cli("dump", dir).code, 2);
    EXPECT_EQ(cli("dump --bogus " + sample(), dir).code, 2);
    EXPECT_EQ(cli("dump --trunked-only --conventional-only " + sample(), dir).code, 2);
    EXPECT_EQ(cli("convert " + sample(), dir).code, 2);
    EXPECT_EQ(cli("convert --system x -o a.hpd " + sample(), dir).code, 2);
    for (const char* c : {"dump", "convert", "check", "info"}) {
        CliRun help = cli(std::string(c) + " --help", dir);
        EXPECT_EQ(help.code, 0);
        EXPECT_TRUE(starts_with(help.out, "usage: tarvex-cli")) << c;
    }
    CliRun missing = cli("info " + (dir / "nope.hpd").string(), dir);
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("nope.hpd"), std::string::npos);
    CliRun unwritable =
        cli("convert -o " + (dir / "no/such/dir/x.hpd").string() + " " + sample(), dir);
    EXPECT_EQ(unwritable.code, 1);
    EXPECT_TRUE(starts_with(unwritable.err, "There was an error saving this file: "));
}

TEST(Cli, LeavesNoTemporaryFolderBehind) {
    TempDir dir;
    std::string env = "TMPDIR=" + dir.path().string() + " ";
    std::string cmd = env + TARVEX_CLI_PATH + " info " + sample() + " > /dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        EXPECT_FALSE(starts_with(e.path().filename().string(), "tarvex-cli-")) << e.path();
}
