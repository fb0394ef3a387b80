// The editing tools of tarvex-cli as scripts use them: coordinates, alpha tags, bandplans, map
// pages and the geocoding lookup against the stand-in service.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "cli_run.h"
#include "core/base/text.h"

using namespace tarvex;
using namespace tarvex::test;

TEST(CliCoord, BothDirectionsAndTheEmptyResult) {
    TempDir dir;
    struct Case {
        std::vector<std::string> args;
        std::string out;
    };
    for (const Case& c :
         std::vector<Case>{{{"coord", "to-decimal", "40123456N"}, "40.209600\n"},
                           {{"coord", "to-decimal", "--lon", "074003600W"}, "-74.010000\n"},
                           {{"coord", "to-decimal", "--lon", "190000000W"}, "-180.000000\n"},
                           {{"coord", "from-decimal", "2", "40.2096"}, "40123456N\n"},
                           {{"coord", "from-decimal", "3", "-74.01"}, "074003600W\n"},
                           {{"coord", "from-decimal", "0", "-40.2096"}, "-401234.56\n"},
                           {{"coord", "from-decimal", "2", "0"}, "\n"}}) {
        CliRun r = cli_argv(c.args, dir);
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << join(c.args, ' ');
    }
    EXPECT_EQ(cli_argv({"coord", "from-decimal", "5", "1"}, dir).code, 2);
    EXPECT_EQ(cli_argv({"coord", "sideways", "1"}, dir).code, 2);
}

TEST(CliAlign, PrintsTheTagExactlyWithLeadingBlanks) {
    TempDir dir;
    EXPECT_EQ(cli_argv({"align", "center", "ABC"}, dir).out, std::string(13, ' ') + "ABC\n");
    EXPECT_EQ(cli_argv({"align", "right", std::string(40, 'x')}, dir).out,
              std::string(30, 'x') + "\n");
    EXPECT_EQ(cli_argv({"align", "left", "  Fire  "}, dir).out, "Fire\n");
    EXPECT_EQ(cli_argv({"case", "sp", "MAIN ST FIRE"}, dir).out, "Main St Fire\n");
    EXPECT_EQ(cli_argv({"case", "low", "EMS"}, dir).out, "ems\n");
    CliRun bad = cli_argv({"align", "middle", "x"}, dir);
    EXPECT_EQ(bad.code, 2);
    EXPECT_TRUE(contains(bad.err, "unknown alignment 'middle'"));
}

TEST(CliTags, TransformsTheChosenKindsAndWritesTheFile) {
    TempDir dir;
    std::string out = (dir / "out.hpd").string();
    CliRun r =
        cli_argv({"tags", sample(), "--case", "up", "--groups", "--channels", "-o", out}, dir);
    ASSERT_EQ(r.code, 0) << r.err;
    std::string text = read_file(out);
    EXPECT_TRUE(contains(text, "\tHARBOR COUNTY SHERIFF\t"));
    EXPECT_TRUE(contains(text, "\tSHERIFF DISPATCH\t"));
    EXPECT_TRUE(contains(text, "\tHarbor County\t")) << "system names were not chosen";

    EXPECT_EQ(cli_argv({"tags", sample(), "--case", "up", "-o", out}, dir).code, 2);  // no kind
    EXPECT_EQ(cli_argv({"tags", sample(), "--groups", "-o", out}, dir).code, 2);  // no transform
    EXPECT_EQ(
        cli_argv({"tags", sample(), "--align", "left", "--case", "up", "--groups", "-o", out}, dir)
            .code,
        2);
    CliRun missing = cli_argv({"tags", (dir / "none.hpd").string(), "--case", "up", "--groups",
                               "-o", (dir / "x.hpd").string()},
                              dir);
    EXPECT_EQ(missing.code, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.hpd"));
}

TEST(CliBandplan, PresetsAndTheUpperEdgeCalculation) {
    TempDir dir;
    CliRun r = cli_argv({"bandplan", "preset", "standard800"}, dir);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "851.0125:868.9875:25.0:0\n866.0000:866.9750:25.0:720\n867.0000:867.4000:25.0:815\n"
              "867.4250:868.9500:25.0:961\n868.9750:868.9750:25.0:958\n::25.0:\n");
    r = cli_argv({"bandplan", "calc", "136.0000::12.5:0", ":::380"}, dir);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(split(r.out, '\n')[0], "136.0000:140.7375:12.5:0");
    EXPECT_EQ(split(r.out, '\n')[1], "::25.0:");
    EXPECT_EQ(cli_argv({"bandplan", "calc", "1:2:3"}, dir).code, 2);
    EXPECT_EQ(cli_argv({"bandplan", "preset", "700"}, dir).code, 2);
    EXPECT_EQ(
        cli_argv({"bandplan", "calc", "1:::", "1:::", "1:::", "1:::", "1:::", "1:::", "1:::"}, dir)
            .code,
        2);
}

TEST(CliMap, WritesThePageWithItsLibraryBesideIt) {
    TempDir dir;
    std::string page = (dir / "pages" / "map.html").string();
    std::filesystem::create_directories(dir / "pages");
    CliRun r = cli_argv({"map", "40.2096", "-74.01", "-o", page}, dir);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(read_file(page), "L.latLng(40.209600, -74.010000)"));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "pages" / "leaflet" / "leaflet.js"));
    EXPECT_EQ(cli_argv({"map", "north", "-74", "-o", page}, dir).code, 2);
}

#ifdef GEOCODE_STUB_PATH
namespace {

// The stand-in service, started for one test and asked to quit at its end.
class Stub {
  public:
    Stub() {
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(fds[1], 1);
            ::close(fds[0]);
            ::execl(GEOCODE_STUB_PATH, GEOCODE_STUB_PATH, static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        out_ = ::fdopen(fds[0], "r");
        char line[64] = {};
        if (out_ && std::fgets(line, sizeof line, out_)) std::sscanf(line, "port %d", &port_);
    }
    ~Stub() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        if (out_) std::fclose(out_);
    }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_); }
    int port() const { return port_; }
    // The next request line the stub printed ("get /maps/...").
    std::string next_request() {
        char line[4096] = {};
        return out_ && std::fgets(line, sizeof line, out_) ? trim(strip_line_ends(line))
                                                           : std::string();
    }

  private:
    pid_t pid_ = -1;
    FILE* out_ = nullptr;
    int port_ = 0;
};

}  // namespace

TEST(CliGeocode, AnswersOfTheStandInService) {
    Stub stub;
    ASSERT_GT(stub.port(), 0);
    TempDir dir;
    CliRun r = cli_argv({"geocode", "--service", stub.url(), "--key", "K1", "--address",
                         "1 Main St", "Asbury Park", "NJ"},
                        dir);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "40.2096000\t-74.0100000\t07712\n");
    EXPECT_EQ(stub.next_request(),
              "get /maps/api/geocode/xml?address=1+Main+St,+Asbury+Park,+NJ&key=K1");

    // no key: the request still goes out, with an empty key
    r = cli_argv({"geocode", "--service", stub.url(), "--airport", "AMS"}, dir);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(stub.next_request(), "get /maps/api/geocode/xml?address=AMS+airport&key=");

    r = cli_argv({"geocode", "--service", stub.url(), "--place", "nopostal"}, dir);
    EXPECT_EQ(r.out, "40.2096000\t-74.0100000\t\n");
    stub.next_request();

    for (const char* broken : {"nogeometry", "malformed"}) {
        r = cli_argv({"geocode", "--service", stub.url(), "--place", broken}, dir);
        EXPECT_EQ(r.code, 1) << broken;
        EXPECT_EQ(r.out, "\t\t\n") << broken;
        EXPECT_TRUE(contains(r.err, "no location")) << broken;
        stub.next_request();
    }

    // a slow answer is waited for
    r = cli_argv({"geocode", "--service", stub.url(), "--zip", "slow"}, dir);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "40.2096000\t-74.0100000\t07712\n");
}

TEST(CliGeocode, NoServiceOrWrongUsage) {
    TempDir dir;
    // a port nobody listens on
    CliRun r = cli_argv({"geocode", "--service", "http://127.0.0.1:9", "--zip", "07712"}, dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(r.err.empty());
    EXPECT_EQ(cli_argv({"geocode", "--zip", "07712"}, dir).code, 2);
    EXPECT_EQ(
        cli_argv({"geocode", "--service", "http://x", "--zip", "1", "--place", "y"}, dir).code, 2);
}
#endif
