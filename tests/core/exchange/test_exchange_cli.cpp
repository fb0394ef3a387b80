// tarvex-cli csv, html and print as scripts call them: flags, output, messages and exit codes.
#include <gtest/gtest.h>

#include <cstdio>

#include "core/base/text.h"
#include "core/cli/cli_run.h"
#include "support/test_support.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

const char* const k_list =
    "Frequency,Name,Tone\r\n"
    "155.0700,Fire-1,100.0\r\n"
    "junk without commas\r\n"
    "460.1250,Police,OFF\r\n"
    "48,Talkgroup,fm\r\n";

}  // namespace

TEST(CsvCli, LoadsFiltersAndSavesAsTheWindowDoes) {
    TempDir dir;
    write_file(dir / "in.txt", k_list);
    CliRun r = cli(
        "csv " + (dir / "in.txt").string() + " --assignments -o " + (dir / "out").string(), dir);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "1\tFrequency (MHz)\n2\tMode\n3\tSubtone\n");
    // ".csv" was added to a name without one.
    EXPECT_EQ(read_file(dir / "out.csv"),
              "Loomtrace,data,Norvane,The Netherlands\r\nFrequency,Name,Tone,\r\n"
              "155.0700,Fire-1,100.0,\r\njunk without commas,,,\r\n460.1250,Police,Off,\r\n"
              "48,Talkgroup,fm,\r\n");
}

TEST(CsvCli, EachFilterFlag) {
    TempDir dir;
    write_file(dir / "in.csv", k_list);
    struct Case {
        const char* flags;
        std::vector<std::string> first_cells;
    } cases[] = {
        {"--must-frequency", {"155.0700", "460.1250"}},
        {"--must-comma", {"Frequency", "155.0700", "460.1250", "48"}},
        {"--min-digits 4", {"155.0700", "460.1250"}},
        {"--must-dash", {"155.0700"}},
        {"--must-contain POLICE", {"460.1250"}},
        {"--must-divisible-16", {"48"}},
        {"--must-comma --min-digits 2 --must-contain a", {"48"}},
    };
    for (const auto& c : cases) {
        std::string out = (dir / "out.csv").string();
        CliRun r = cli("csv " + (dir / "in.csv").string() + " " + c.flags + " -o " + out, dir);
        ASSERT_EQ(r.code, 0) << c.flags << ": " << r.err;
        auto lines = read_lines(out);
        std::vector<std::string> firsts;
        for (size_t i = 1; i < lines.size(); ++i) firsts.push_back(split(lines[i], ',')[0]);
        EXPECT_EQ(firsts, c.first_cells) << c.flags;
    }
}

TEST(CsvCli, OversizeMessageGoesToStderrAndTheFirstLinesAreSaved) {
    TempDir dir;
    std::string big;
    for (int i = 0; i < 14501; ++i) big += std::to_string(i) + ",x\n";
    write_file(dir / "big.csv", big);
    CliRun r = cli("csv " + (dir / "big.csv").string() + " -o " + (dir / "out.csv").string(), dir);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "File too large, quiting import.\n");
    auto lines = read_lines(dir / "out.csv");
    ASSERT_EQ(lines.size(), 14501u);
    EXPECT_EQ(lines.back(), "14499,x,");
}

TEST(CsvCli, WrongUsageAndUnreadableFiles) {
    TempDir dir;
    write_file(dir / "in.csv", k_list);
    std::string in = (dir / "in.csv").string(), out = (dir / "out.csv").string();
    EXPECT_EQ(cli("csv " + in + " --min-digits 5 -o " + out, dir).code, 2);
    EXPECT_EQ(cli("csv " + in, dir).code, 2);
    EXPECT_EQ(cli("csv " + in + " --frequency -o " + out, dir).code, 2);
    CliRun missing = cli("csv " + (dir / "none.csv").string() + " -o " + out, dir);
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos);
    CliRun unwritable = cli("csv " + in + " -o " + (dir / "no" / "out.csv").string(), dir);
    EXPECT_EQ(unwritable.code, 1);
    EXPECT_EQ(cli("csv --help", dir).code, 0);
}

TEST(HtmlCli, WritesTheGroupsPageAndRefusesWhatIsNotThere) {
    TempDir dir;
    std::string out = (dir / "page.html").string();
    CliRun r = cli("html " + sample() + " --system 1 --group 2 -o " + out, dir);
    ASSERT_EQ(r.code, 0) << r.err;
    std::string page = read_file(out);
    EXPECT_NE(page.find("<b>Group:Harbor County Fire/EMS</b>"), std::string::npos);
    EXPECT_NE(page.find(">154.31&nbsp;MHz</font></td>"), std::string::npos);
    // A trunked system's group: talkgroups, no MHz.
    CliRun t = cli("html " + sample() + " --system 2 --group 1 -o " + out, dir);
    ASSERT_EQ(t.code, 0) << t.err;
    EXPECT_EQ(read_file(out).find("MHz"), std::string::npos);
    EXPECT_NE(read_file(out).find("<b>Talkgroup</b>"), std::string::npos);

    EXPECT_EQ(cli("html " + sample() + " --system 99 --group 1 -o " + out, dir).code, 1);
    EXPECT_EQ(cli("html " + sample() + " --system 1 -o " + out, dir).code, 2);
    EXPECT_EQ(cli("html " + sample() + " --system 0 --group 1 -o " + out, dir).code, 2);
}

TEST(PrintCli, NeedsNoDisplayAndChecksItsArguments) {
    TempDir dir;
    if (cli("print --help", dir).code != 0) GTEST_SKIP() << "built without the Qt layer";
    std::string out = (dir / "out.pdf").string();
    // No display at all: the offscreen platform is chosen by the command itself.
    CliRun run = cli("print " + sample() + " --all -o " + out, dir,
                     "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ");
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(starts_with(read_file(out), "%PDF-"));
    EXPECT_NE(run.err.find("Finished printing."), std::string::npos);
    EXPECT_EQ(cli("print " + sample() + " -o " + out, dir).code, 2);
    EXPECT_EQ(cli("print " + sample() + " --all --system 1 -o " + out, dir).code, 2);
    EXPECT_EQ(cli("print " + sample() + " --all --group 1 -o " + out, dir).code, 2);
}
