// tarvex-cli bulk and uid as a script uses them: files written, messages, exit codes.
#include <gtest/gtest.h>

#include "cli_run.h"
#include "core/base/progress.h"
#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/hpd/hpd_reader.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/system_store.h"
#include "support/test_support.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

std::vector<std::string> lines_of_kind(const std::string& file, std::string_view keyword) {
    std::vector<std::string> out;
    for (const auto& l : read_lines(file))
        if (starts_with(l, std::string(keyword) + "\t")) out.push_back(l);
    return out;
}

}  // namespace

TEST(CliBulk, SetsTheAlertToneOfEveryTalkgroupAndNothingElse) {
    TempDir dir;
    const std::string out = (dir / "out.hpd").string(), plain = (dir / "plain.hpd").string();
    CliRun r = cli("bulk " + sample() + " --talkgroups --set \"Alert Tone=3\" -o " + out, dir);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Lines changed: 34\n");
    ASSERT_EQ(cli("convert -o " + plain + " " + sample(), dir).code, 0);

    auto edited = lines_of_kind(out, "TGID"), before = lines_of_kind(plain, "TGID");
    ASSERT_EQ(edited.size(), 34u);
    ASSERT_EQ(before.size(), 34u);
    for (size_t i = 0; i < edited.size(); ++i) {
        auto e = split(edited[i], '\t'), b = split(before[i], '\t');
        ASSERT_EQ(e.size(), b.size());
        EXPECT_EQ(e[10], "3") << edited[i];  // Alert Tone of a TGID line
        e[10] = b[10];
        EXPECT_EQ(e, b);
    }
    // Channels and every other line are as a plain save writes them.
    EXPECT_EQ(lines_of_kind(out, "C-Freq"), lines_of_kind(plain, "C-Freq"));
    EXPECT_EQ(read_lines(out).size(), read_lines(plain).size());
}

TEST(CliBulk, ChosenLinesOfOneSystemOnly) {
    TempDir dir;
    const std::string out = (dir / "out.hpd").string(), plain = (dir / "plain.hpd").string();
    CliRun r =
        cli("bulk " + sample() +
                " --channels --system 1 --lines 1,3 --set Mode=AM \"Alert Level=7\" -o " + out,
            dir);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Lines changed: 2\n");
    ASSERT_EQ(cli("convert -o " + plain + " " + sample(), dir).code, 0);
    auto edited = lines_of_kind(out, "C-Freq"), before = lines_of_kind(plain, "C-Freq");
    ASSERT_EQ(edited.size(), before.size());
    for (size_t i = 0; i < edited.size(); ++i) {
        auto e = split(edited[i], '\t'), b = split(before[i], '\t');
        if (i == 0 || i == 2) {
            EXPECT_EQ(e[6], "AM");
            EXPECT_EQ(e[13], "7");
            e[6] = b[6];
            e[13] = b[13];
        }
        EXPECT_EQ(e, b) << i;
    }
}

TEST(CliBulk, RefusesWithTheWindowsMessagesAndWritesNothing) {
    TempDir dir;
    const std::string out = (dir / "out.hpd").string();
    struct Case {
        std::string args;
        int code;
        std::string err;
    } cases[] = {
        {"--talkgroups --system 1 --set \"Alert Tone=3\"", 1,
         "Please select one or more channels\n"},
        {"--talkgroups --lines 2 --set \"Alert Tone=3\"", 0, ""},  // control: this one works
        {"--talkgroups --lines 99 --set \"Alert Tone=3\"", 1,
         "Line 99 is not in the list (1..34)\n"},
        {"--talkgroups --set \"Alert Tone=12\"", 1, "\"12\" is not a value of Alert Tone.\n"},
        {"--talkgroups --set Mode=AM", 1, "\"Mode\" is not a setting of talkgroups.\n"},
        {"--talkgroups --channels --set Mode=AM", 2, ""},
        {"--set Mode=AM", 2, ""},
        {"--talkgroups --set", 2, ""},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(out);
        CliRun r = cli("bulk " + sample() + " " + c.args + " -o " + out, dir);
        EXPECT_EQ(r.code, c.code) << c.args << "\n" << r.err;
        if (c.code == 1) {
            EXPECT_EQ(r.err, c.err) << c.args;
        }
        EXPECT_EQ(std::filesystem::exists(out), c.code == 0) << c.args;
    }
}

TEST(CliUid, ExportThenImportIntoAnotherSystemCarriesTheUnitIds) {
    TempDir dir;
    const std::string list = (dir / "units.txt").string(), out = (dir / "out.hpd").string();
    CliRun r = cli("uid export " + sample() + " --system 2 -o " + list, dir);
    ASSERT_EQ(r.code, 0) << r.err;
    auto lines = read_lines(list);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[1], "TARVEX UID LIST V=1.00");
    EXPECT_EQ(lines[4], "3,2112,Sheriff Car 12,4,10");

    // System 4 (EDACS) had none; afterwards it has the five of system 2, in order.
    r = cli("uid import " + sample() + " --system 4 " + list + " -o " + out, dir);
    ASSERT_EQ(r.code, 0) << r.err;
    RecordingPrompter prompter;
    SystemStore store(prompter);
    GroupFiles files(dir / "run");
    ASSERT_TRUE(read_hpd(out, store, files, 0, 0, no_progress()).opened);
    std::vector<std::string> names;
    for (const auto& k : store.child_keys("UID-004-001"))
        names.push_back(get_field(store.get_node_text(k), 2));
    EXPECT_EQ(names, (std::vector<std::string>{"HC Dispatch Console 1", "HC Dispatch Console 2",
                                               "Sheriff Car 12", "Fire Chief 1",
                                               "Public Works Supervisor"}));
    EXPECT_EQ(store.child_keys("UID-002-001").size(), 5u);

    // Refusals: a conventional system, a file that is no list, a missing system.
    EXPECT_EQ(cli("uid import " + sample() + " --system 1 " + list + " -o " + out, dir).code, 1);
    EXPECT_EQ(cli("uid import " + sample() + " --system 2 " + sample() + " -o " + out, dir).code,
              1);
    CliRun none = cli("uid export " + sample() + " --system 9 -o " + list, dir);
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.err, "Please select a system\n");
    EXPECT_EQ(cli("uid export " + sample() + " -o " + list, dir).code, 2);
    EXPECT_EQ(cli("uid frobnicate", dir).code, 2);
}
