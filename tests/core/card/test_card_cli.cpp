// tarvex-cli card and masterdb: exit codes and what scripts read from them.
#include <gtest/gtest.h>

#include "card_fixture.h"
#include "core/cli/cli_run.h"

namespace tarvex::test {
namespace {

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

    EXPECT_EQ(cli("card detect" + root, card.dir).code, 0);
    CliRun up =
        cli("card upload" + root + " --name Harbor --location off " + q(editor.dir / "in.hpd"),
            card.dir);
    EXPECT_EQ(up.code, 0);
    EXPECT_EQ(up.out, "2\tfavorites_000002.hpd\n");
    EXPECT_EQ(cli("card lists" + root, card.dir).out,
              "1\tOld\tfavorites_000001.hpd\tOn\tOn\n2\tHarbor\tfavorites_000002.hpd\tOff\tOn\n");
    EXPECT_EQ(cli("card load" + root + " 2 -o " + q(editor.dir / "back.hpd"), card.dir).code, 0);
    editor.read(editor.dir / "in.hpd");
    EXPECT_EQ(read_lines(editor.dir / "back.hpd"), editor.written());
    EXPECT_EQ(cli("card delete" + root + " 1", card.dir).code, 0);
    EXPECT_TRUE(fs::exists(card.favorites / "favorites_000001.bac"));

    EXPECT_EQ(cli("card load" + root + " 5 -o " + q(editor.dir / "x.hpd"), card.dir).code,
              1);  // no list 5
    EXPECT_EQ(cli("card load" + root + " five", card.dir).code, 2);
    EXPECT_EQ(cli("card lists", card.dir).code, 2);
    EXPECT_EQ(cli("card lists --help", card.dir).code, 0);
}

TEST(CardCli, OldFirmwareAndMissingDatabaseAreRefused) {
    Card card;
    card.identity("HomePatrol-1\tUS\t77\t1.02");
    EXPECT_EQ(cli("card lists --root " + q(card.root), card.dir).code, 1);
    EXPECT_EQ(cli("card detect --root " + q(card.root), card.dir).code, 1);
    EXPECT_EQ(cli("masterdb states " + q(card.dir.path()), card.dir).code, 1);
    EXPECT_EQ(cli("masterdb systems " + q(card.dir.path()), card.dir).code, 2);
}

}  // namespace
}  // namespace tarvex::test
