// tarvex-cli dupes, lockouts, fill and dechex as a script uses them.
#include <gtest/gtest.h>

#include "cli_run.h"
#include "core/base/text.h"
#include "support/test_support.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

// Two conventional systems sharing a frequency, a duplicate inside the second one, a
// channel on the same frequency with another tone, and two locked-out rows.
std::string write_db(const TempDir& dir) {
    const char* lines[] = {
        "Conventional\tCountyId=1\tStateId=1\tCity\tOff\t\tConventional",
        "C-Group\tCGroupId=1\tCountyId=1\tFire\tOff\t\t\t",
        "C-Freq\t\t\tFire 1\tOff\t154430000\tFM\t\t2",
        "C-Freq\t\t\tFire 2\tOn\t154445000\tFM\t\t2",
        "Conventional\tCountyId=2\tStateId=1\tCounty\tOff\t\tConventional",
        "C-Group\tCGroupId=2\tCountyId=2\tSheriff\tOff\t\t\t",
        "C-Freq\t\t\tDispatch\tOff\t155070000\tFM\tTONE=C100.0\t2",
        "C-Freq\t\t\tOther PL\tOff\t155070000\tFM\tTONE=C123.0\t2",
        "C-Group\tCGroupId=3\tCountyId=2\tFire\tOff\t\t\t",
        "C-Freq\t\t\tFire county\tOn\t154430000\tFM\t\t2",
        "C-Freq\t\t\tDispatch again\tOff\t155070000\tFM\tTONE=C100.0\t2",
    };
    std::string bytes = "TargetModel\tHomePatrol-1\r\nFormatVersion\t2.03\r\n";
    for (const char* l : lines) bytes += std::string(l) + "\r\n";
    write_file(dir / "db.hpd", bytes);
    return (dir / "db.hpd").string();
}

}  // namespace

TEST(CliEditTools, DupesListsWithinSystemsOrAcrossAndRemoves) {
    TempDir dir;
    std::string db = write_db(dir);
    CliRun r = cli("dupes " + db, dir);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "2\t2\t2\t155.07\t2\t1\t1\n");
    r = cli("dupes " + db + " --across", dir);
    EXPECT_EQ(r.out, "2\t2\t1\t154.43\t1\t1\t1\n2\t2\t2\t155.07\t2\t1\t1\n");

    std::string out = (dir / "out.hpd").string();
    r = cli("dupes --across " + db + " --remove -o " + out, dir);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("2 duplicates removed"), std::string::npos);
    EXPECT_EQ(cli("dupes --across " + out, dir).out, "");
    // Everything else is still there.
    std::string written = read_file(out);
    for (const char* tag : {"Fire 1", "Fire 2", "Dispatch", "Other PL"})
        EXPECT_NE(written.find(tag), std::string::npos) << tag;
    EXPECT_EQ(written.find("Dispatch again"), std::string::npos);
}

TEST(CliEditTools, LockoutsListsAndUnlocks) {
    TempDir dir;
    std::string db = write_db(dir);
    CliRun r = cli("lockouts " + db, dir);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "1\t1\t2\t154.445\n2\t2\t1\t154.43\n");
    std::string out = (dir / "unlocked.hpd").string();
    r = cli("lockouts " + db + " --unlock -o " + out, dir);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(cli("lockouts " + out, dir).out, "");
}

TEST(CliEditTools, WrongUsageAndBadInputGetTheirExitCodes) {
    TempDir dir;
    std::string db = write_db(dir);
    struct Case {
        std::string args;
        int code;
    };
    for (const Case& c : {Case{"dupes", 2}, Case{"dupes " + db + " --remove", 2},
                          Case{"dupes " + db + " -o x.hpd", 2}, Case{"dupes --bogus " + db, 2},
                          Case{"dupes " + (dir / "missing.hpd").string(), 1},
                          Case{"lockouts " + db + " --across", 2}, Case{"fill 1 2", 2},
                          Case{"fill 462.7 462.5 12.5", 1}, Case{"fill 20 30 12.5", 1},
                          Case{"dechex", 2}, Case{"dechex zz", 1}})
        EXPECT_EQ(cli(c.args, dir).code, c.code) << c.args;
    // Nothing half-written when the input is refused.
    EXPECT_FALSE(std::filesystem::exists(dir / "x.hpd"));
}

TEST(CliEditTools, FillPrintsEveryFrequencyExactly) {
    TempDir dir;
    CliRun r = cli("fill 462.55 462.725 12.5", dir);
    ASSERT_EQ(r.code, 0) << r.err;
    auto lines = split(r.out, '\n');
    ASSERT_EQ(lines.size(), 16u);  // 15 and the empty piece after the last line end
    EXPECT_EQ(lines[1], "462.5625");
    EXPECT_EQ(lines[14], "462.7250");
    r = cli("fill 851.00625 851.0375 6.25", dir);
    EXPECT_EQ(r.out, "851.00625\n851.0125\n851.01875\n851.0250\n851.03125\n851.0375\n");
}

TEST(CliEditTools, DechexPrintsEveryNotation) {
    TempDir dir;
    EXPECT_EQ(cli("dechex 586", dir).out, "DEC\t586\nHEX\t24A\nAFS\t04-092\n");
    EXPECT_EQ(cli("dechex 0x24A", dir).out, "DEC\t586\nHEX\t24A\nAFS\t04-092\n");
    EXPECT_EQ(cli("dechex 65535", dir).out, "DEC\t65535\nHEX\tFFFF\n");
}
