// tarvex-cli card and masterdb: exit codes and what scripts read from them.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdio>

#include "card_fixture.h"

namespace tarvex::test {
namespace {

struct CliRun {
    int code = -1;
    std::string out;
};

CliRun cli(const std::string& arguments) {
    std::string command = std::string(TARVEX_CLI_PATH) + " " + arguments + " 2>/dev/null";
    CliRun r;
    std::FILE* p = ::popen(command.c_str(), "r");
    if (!p) return r;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) r.out.append(buffer, n);
    int status = ::pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::string q(const fs::path& p) {
    return "'" + p.string() + "'";
}

TEST(CardCli, UploadListLoadAndDeleteWithTheirExitCodes) {
    Card card;
    card.identity("HomePatrol-2\tUS\t77\t1.00");
    card.config({"Old|favorites_000001.hpd|On|On"});
    card.list_file(1);
    Editor editor;
    write_file(editor.dir / "in.hpd", crlf(harbor_hpd()));
    std::string root = " --root " + q(card.root);

    EXPECT_EQ(cli("card detect" + root).code, 0);
    CliRun up =
        cli("card upload" + root + " --name Harbor --location off " + q(editor.dir / "in.hpd"));
    EXPECT_EQ(up.code, 0);
    EXPECT_EQ(up.out, "2\tfavorites_000002.hpd\n");
    EXPECT_EQ(cli("card lists" + root).out,
              "1\tOld\tfavorites_000001.hpd\tOn\tOn\n2\tHarbor\tfavorites_000002.hpd\tOff\tOn\n");
    EXPECT_EQ(cli("card load" + root + " 2 -o " + q(editor.dir / "back.hpd")).code, 0);
    editor.read(editor.dir / "in.hpd");
    EXPECT_EQ(read_lines(editor.dir / "back.hpd"), editor.written());
    EXPECT_EQ(cli("card delete" + root + " 1").code, 0);
    EXPECT_TRUE(fs::exists(card.favorites / "favorites_000001.bac"));

    EXPECT_EQ(cli("card load" + root + " 5 -o " + q(editor.dir / "x.hpd")).code, 1);  // no list 5
    EXPECT_EQ(cli("card load" + root + " five").code, 2);
    EXPECT_EQ(cli("card lists").code, 2);
    EXPECT_EQ(cli("card lists --help").code, 0);
}

TEST(CardCli, OldFirmwareAndMissingDatabaseAreRefused) {
    Card card;
    card.identity("HomePatrol-1\tUS\t77\t1.02");
    EXPECT_EQ(cli("card lists --root " + q(card.root)).code, 1);
    EXPECT_EQ(cli("card detect --root " + q(card.root)).code, 1);
    EXPECT_EQ(cli("masterdb states " + q(card.dir.path())).code, 1);
    EXPECT_EQ(cli("masterdb systems " + q(card.dir.path())).code, 2);
}

}  // namespace
}  // namespace tarvex::test
