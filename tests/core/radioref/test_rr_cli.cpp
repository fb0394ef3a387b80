// tarvex-cli rr against the stand-in service: the forms the command line promises, their output
// and exit codes, and the service's failures as the user sees them.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/cli/cli_run.h"
#include "rr_test_support.h"
#include "standin.h"

namespace tarvex::radioref {
namespace {

using tarvex::test::cli;
using tarvex::test::CliRun;

class RrCli : public ::testing::Test {
  protected:
    tarvex::test::TempDir dir;
    test::StandIn server;
    void SetUp() override {
        if (!server.ok()) GTEST_SKIP() << "python3 or the stand-in service is not available";
    }
    // The import settings the command line reads (RRfetch.ini, [settings]); every stored value
    // ends in the store's "x" marker.
    void settings(const std::string& lines) {
        std::filesystem::create_directories(dir.path() / "settings");
        tarvex::test::write_file(dir.path() / "settings" / "RRfetch.ini", "[settings]\n" + lines);
    }
    CliRun rr(const std::string& args, const std::string& creds = "--user user --pass pass",
              const std::string& env = "TARVEX_NO_KEYCHAIN=1") {
        return cli("rr --base " + server.base() + " " + creds + " " + args, dir,
                   "TARVEX_SETTINGS_DIR=" + (dir.path() / "settings").string() + " " + env + " ");
    }
};

TEST_F(RrCli, LoginPrintsTheExpiryAndWrongCredentialsGiveTheServicesText) {
    CliRun ok = rr("login");
    EXPECT_EQ(ok.code, 0) << ok.err;
    EXPECT_EQ(ok.out, "Subscription expires on: Never - Feed Provider\n");
    CliRun bad = rr("login", "--user user --pass wrong");
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err,
              "Invalid Username or Password.  Make sure you are logging in with your username "
              "and not your email address.\nINIT not ok, can't read user data.\n");
}

TEST_F(RrCli, BrowseListsWhatTheWindowShowsAtEachStep) {
    CliRun county = rr("browse county 900");
    ASSERT_EQ(county.code, 0) << county.err;
    EXPECT_EQ(county.out,
              "Categories:\n801\tSheriff\n\t9001\tDispatch, Main\n\t9002\tTactical\n802\tFire\n"
              "\t9003\tFire Dispatch\nTrunk Systems:\n101\tTarvex Motorola\n102\tTarvex EDACS\n"
              "103\tTarvex LTR\n6673\tSARA Network\nAgency:\n77\tIowa State Patrol\n");
    CliRun zip = rr("browse zip 12345");
    EXPECT_EQ(zip.out, "19\tIowa\n900\tTarvex\nTarvex City\t42.0\t-91.5\n");
    CliRun state = rr("browse state 19");
    EXPECT_NE(state.out.find("Counties:\n900\tTarvex\n841\tLinn\n"), std::string::npos);
}

TEST_F(RrCli, TrunkedImportPrintsLikeDumpOrWritesAnHpdFile) {
    CliRun r = rr("trs 101 --sites 1 --upper");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("SYS-001\t\tSIN,Motorola,101,StateId=0,TarvexMotorola,Off,"),
              std::string::npos);
    EXPECT_EQ(r.out.find("SIT-001-002"), std::string::npos);  // only site 1
    EXPECT_NE(r.out.find("# GRP-999-001-000.tmp\n1,1001,SO DISP,Off,Analog,Law Dispatch,"),
              std::string::npos);
    std::string hpd = (dir.path() / "t.hpd").string();
    CliRun file = rr("trs 101 -o " + hpd + " --descr --name \"My System\"");
    ASSERT_EQ(file.code, 0) << file.err;
    std::string text = tarvex::test::read_file(hpd);
    EXPECT_NE(text.find("Trunk\t\t\tMySystem\t"), std::string::npos);
    EXPECT_NE(text.find("TGID\t"), std::string::npos);
    EXPECT_NE(text.find("Sheriff Dispatch"), std::string::npos);
}

TEST_F(RrCli, ConventionalImportAndSearches) {
    CliRun conv = rr("conv --county 900 9001 9003 --name \"Tarvex, Fire\"");
    ASSERT_EQ(conv.code, 0) << conv.err;
    EXPECT_NE(conv.out.find("1,155.4750,SO Disp,Off,AUTO,CTCSS,136.5,Law Dispatch,Off,2,0,Off,"
                            "Auto\n"),
              std::string::npos);
    CliRun agency = rr("conv --agency 77 9011");
    ASSERT_EQ(agency.code, 0) << agency.err;
    EXPECT_NE(agency.out.find("New System"), std::string::npos);
    CliRun missing = rr("conv --county 900 4242");
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "Subcategory 4242 is not listed for county 900.\n");

    CliRun county = rr("search county 900 155.475 --tone \"136.5 PL\"");
    ASSERT_EQ(county.code, 0) << county.err;
    EXPECT_EQ(county.out,
              "155.475\tSheriff Dispatch\tSO Disp\t136.5 PL\tFM\tBM\t9001\t\tKA1234\tLaw "
              "Dispatch\tTarvex\tIowa\t0\t0\t900\n");
    CliRun state = rr("search state 19,17 155.475");
    EXPECT_EQ(std::count(state.out.begin(), state.out.end(), '\n'), 2);
    CliRun tag = rr("search tag 900 \"Fire Dispatch\"");
    EXPECT_EQ(tag.out.substr(0, 22), "154.340\tFire Dispatch\t");
}

TEST_F(RrCli, UsageFailuresAndServiceFailures) {
    for (const char* bad : {"", "frob", "trs", "trs x", "trs 101 --sites 0", "conv 9001",
                            "conv --county 1 --agency 2 3", "search county 900", "browse moon 1",
                            "trs 101 --untagged 5"})
        EXPECT_EQ(rr(bad).code, 2) << bad;
    CliRun empty500 = rr("trs 500500");
    EXPECT_EQ(empty500.code, 1);
    EXPECT_EQ(empty500.err,
              "The RadioReference service answered getTrsSites with HTTP 500 and no data.\n");
    CliRun garbage = rr("browse county 400400");
    EXPECT_EQ(garbage.code, 1);
    EXPECT_EQ(garbage.err.substr(0, 35), "Unreadable answer from the RadioRef");
    CliRun nothing = rr("search county 900 0");
    EXPECT_EQ(nothing.code, 1);
    EXPECT_EQ(nothing.err, "Please enter a frequency\n");
}

TEST_F(RrCli, ThePasswordComesFromTheImportSettingsWhenNoKeychainCanBeReached) {
    settings("user=userx\npass=passx\n");
    // No session bus: the keychain is not asked, nothing is said about it, the settings serve.
    CliRun no_bus = rr("login", "", "env -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR=/nonexistent");
    EXPECT_EQ(no_bus.code, 0) << no_bus.err;
    EXPECT_EQ(no_bus.err, "");
    EXPECT_EQ(no_bus.out, "Subscription expires on: Never - Feed Provider\n");
    CliRun switched_off = rr("login", "");
    EXPECT_EQ(switched_off.code, 0) << switched_off.err;
    // A password given on the line wins over the stored one.
    EXPECT_EQ(rr("login", "--pass wrong").code, 1);
    settings("user=userx\n");
    CliRun none = rr("login", "");
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.err, "Please enter your RadioReference user name and password.\n");
}

TEST_F(RrCli, AnApplicationKeyOfAnotherFormIsRefusedBeforeAnythingIsSent) {
    for (const char* key : {"1234567", "123456789", "12a45678", "-1234567"}) {
        settings(std::string("rr_app_key=") + key + "x\n");
        CliRun r = rr("login");
        EXPECT_EQ(r.code, 1) << key;
        EXPECT_EQ(r.out, "") << key;
        EXPECT_EQ(r.err, std::string("The RadioReference application key must be 8 decimal digits "
                                     "(setting rr_app_key is \"") +
                             key + "\").\n");
    }
    settings("rr_app_key=87654321x\n");
    EXPECT_EQ(rr("login").code, 0);
}

TEST(RrCliOffline, AnUnreachableServiceIsToldNotHung) {
    tarvex::test::TempDir dir;
    CliRun r = cli("rr --base http://127.0.0.1:9/soap2/ --user u --pass p login", dir,
                   "TARVEX_SETTINGS_DIR=" + dir.path().string() + " TARVEX_NO_KEYCHAIN=1 ");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "Error, can't load WSDL site, check firewall settings\nINIT not ok, check "
              "firewall settings.\n");
}

}  // namespace
}  // namespace tarvex::radioref
