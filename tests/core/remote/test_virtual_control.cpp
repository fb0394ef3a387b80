// The Virtual Control window's logic without the window: keys, receptions into the log,
// recovery from an unplugged cable, and what is kept between sessions.
#include <gtest/gtest.h>

#include "core/remote/virtual_control.h"
#include "fake_port.h"
#include "support/test_support.h"

using namespace tarvex::remote;
using tarvex::Answer;
using tarvex::remote::test::FakeClock;
using tarvex::remote::test::FakePort;
using tarvex::remote::test::frame_of;

namespace {

// A scanner that answers MODEL and STATUS with whatever reception the test sets.
struct Scanner {
    std::string model = "HomePatrol-1";
    std::string status = "RMT\tSTATUS\t\r";
    std::string operator()(const std::string& frame) const {
        if (frame == frame_of("MODEL")) return "RMT\tMODEL\t" + model + "\r";
        if (frame == frame_of("STATUS")) return status;
        return frame.substr(0, 4) == "RMT\t" ? "RMT\tX\tOK\r" : "ERR\r";
    }
    void hear(const std::string& freq, const std::string& channel, const std::string& avoid = "0") {
        status = "RMT\tSTATUS\t" + freq + "\tFM\t0\t0\t\t0\tSys\tDept\t" + channel +
                 "\t\t\t3\tFav\t\t0\t0\t" + avoid + "\r";
    }
};

struct VcTest : ::testing::Test {
    tarvex::test::TempDir dir;
    tarvex::MemorySettingsBackend main_store, import_store;
    tarvex::Settings settings{main_store, import_store};
    tarvex::RecordingPrompter prompter;
    FakeClock clock;
    FakePort port;
    TimerFlags timers;
    Scanner scanner;
    std::unique_ptr<VirtualControl> vc;

    void open() {
        vc = std::make_unique<VirtualControl>(port, timers, settings, prompter, clock,
                                              VcFolders{dir.path(), dir.path()});
        vc->open_window();
    }
    void plug() {
        port.plug("/dev/hp", [this](const std::string& f) { return scanner(f); });
    }
    // One poll and receive cycle, then one logger second.
    void cycle() {
        vc->on_timer1();
        vc->on_timer2();
        vc->on_logtimer();
        clock.time.second++;
    }
    void SetUp() override {
        settings.SaveSetting("com", "usbdevice", "/dev/hp");
        settings.SaveSetting("vc", "autostart", "0");
    }
};

}  // namespace

TEST_F(VcTest, EveryKeySendsItsCommandAndTogglesFollowTheDisplay) {
    plug();
    open();
    ASSERT_TRUE(vc->start());
    port.written.clear();
    vc->key(0);
    vc->key(1);
    vc->key(1);
    vc->key(2);
    vc->key(3);
    for (int n = 0; n <= 8; ++n) vc->nav_key(n);
    vc->click_line(VcLine::system);
    vc->click_line(VcLine::system);
    vc->click_line(VcLine::channel);
    EXPECT_TRUE(vc->display().channel.held);
    vc->double_click_line(VcLine::department);
    vc->double_click_avoid(VcLine::department);  // no mark shown: nothing
    vc->set_volume(7);
    vc->set_squelch(15);
    vc->set_volume(16);  // not on the list
    vc->key(4);
    EXPECT_FALSE(vc->display().channel.held);
    std::vector<std::string> expected;
    for (const char* c :
         {"JPM\tREP_MODE", "REC\tON",    "REC\tOFF",   "MUTE\tON",   "GATT\tON",   "SPREV",
          "SNEXT",         "DPREV",      "DNEXT",      "CPREV",      "CNEXT",      "SAVOID\tON",
          "DAVOID\tON",    "CAVOID\tON", "SHOLD\tON",  "SHOLD\tOFF", "CHOLD\tON",  "DAVOID\tON",
          "VOL\t7",        "SQL\t15",    "SHOLD\tOFF", "DHOLD\tOFF", "CHOLD\tOFF", "CNEXT"})
        expected.push_back(frame_of(c));
    EXPECT_EQ(port.written, expected);
}

TEST_F(VcTest, AvoidKeysReleaseWhatTheScannerReportsAvoided) {
    plug();
    open();
    vc->start();
    scanner.hear("155.2250", "Dispatch", "1");
    cycle();
    ASSERT_TRUE(vc->display().channel.avoided);
    port.written.clear();
    vc->nav_key(8);
    vc->double_click_avoid(VcLine::channel);
    EXPECT_EQ(port.written,
              (std::vector<std::string>{frame_of("CAVOID\tOFF"), frame_of("CAVOID\tOFF")}));
}

TEST_F(VcTest, ReceptionsFillTheLogWithHitCountsAndTheAppendFile) {
    plug();
    open();
    vc->set_log_file_path(dir / "running.csv");
    vc->set_append_to_file(true);
    ASSERT_TRUE(vc->start());
    scanner.hear("155.2250", "Dispatch");
    cycle();
    cycle();
    scanner.hear("", "");
    cycle();
    EXPECT_TRUE(timers.is_on(VcTimer::busydelay));
    cycle();
    EXPECT_TRUE(timers.is_on(VcTimer::busydelay)) << "silence does not restart the busy delay";
    vc->on_busydelay();
    EXPECT_FALSE(vc->display().busy);
    scanner.hear("155.2250", "Dispatch");
    cycle();
    EXPECT_EQ(vc->log().used_rows(), 1);
    EXPECT_EQ(vc->log().row(1)[col_hitcount], "2");
    EXPECT_EQ(vc->log().row(1)[col_duration], "3");
    auto lines = tarvex::test::read_lines(dir / "running.csv");
    ASSERT_EQ(lines.size(), 4u) << "a title line and one line per second heard";
    EXPECT_EQ(lines[1].substr(0, 22), "LOG,155.2250,Dispatch,");
}

TEST_F(VcTest, AStartThatFailsTellsTheUser) {
    open();
    EXPECT_FALSE(vc->start());
    EXPECT_EQ(prompter.told, (std::vector<std::string>{std::string(k_start_failed)}));
}

TEST_F(VcTest, AutostartDetectsTheScannerAndStartsOnIt) {
    settings.SaveSetting("vc", "autostart", "1");
    plug();
    open();
    ASSERT_TRUE(timers.is_on(VcTimer::Timer4));
    vc->on_timer4();
    EXPECT_FALSE(timers.is_on(VcTimer::Timer4));
    vc->on_detect();
    EXPECT_EQ(vc->display().reply_text, "RMT\tMODEL\tHomePatrol-1\r");
    EXPECT_TRUE(timers.is_on(VcTimer::logtimer));
    EXPECT_EQ(port.written.back(), frame_of("JPM\tSCN_MODE"));
    EXPECT_EQ(vc->link().selected_port(), (PortId{0, "/dev/hp"}));
}

TEST_F(VcTest, PullingTheCableShowsWhatToDoAndReplugRecovers) {
    plug();
    open();
    vc->start();
    scanner.hear("155.2250", "Dispatch");
    cycle();
    port.unplug("/dev/hp");
    vc->on_timer1();
    vc->on_timer2();
    vc->on_timer3();
    EXPECT_EQ(vc->display().system.text, k_device_missing_system);
    EXPECT_EQ(vc->display().department.text, k_device_missing_department);
    EXPECT_TRUE(timers.is_on(VcTimer::detect));
    vc->on_detect();
    vc->on_detect();
    EXPECT_TRUE(vc->link().detecting());
    plug();
    for (int i = 0; i < 3 && vc->link().detecting(); ++i) vc->on_detect();
    EXPECT_FALSE(vc->link().detecting());
    scanner.hear("460.1000", "Tac 2");
    cycle();
    EXPECT_EQ(vc->display().channel.text, "Tac 2");
    EXPECT_EQ(vc->log().row(1)[col_data], "460.1000") << "the logger ran on through the outage";
}

TEST_F(VcTest, ALostLinkPutsTheReceptionOutAndLogsNothingUntilTheScannerAnswers) {
    plug();
    open();
    vc->set_log_file_path(dir / "log.csv");
    vc->set_append_to_file(true);
    ASSERT_TRUE(vc->start());
    EXPECT_EQ(vc->link_state(), LinkState::waiting);
    scanner.hear("155.2250", "Dispatch");
    cycle();
    EXPECT_EQ(vc->link_state(), LinkState::connected);
    EXPECT_EQ(vc->state_text(), "Connected to HomePatrol-1 on /dev/hp");
    ASSERT_TRUE(vc->display().busy);
    const std::string duration = vc->log().row(1)[col_duration];
    const std::string file_before = tarvex::test::read_file(dir / "log.csv");

    port.unplug("/dev/hp");
    vc->on_timer1();
    vc->on_timer2();
    vc->on_timer3();
    EXPECT_EQ(vc->link_state(), LinkState::searching);
    EXPECT_EQ(vc->state_text(), "Searching for a scanner...");
    EXPECT_FALSE(vc->display().busy);
    EXPECT_EQ(vc->display().signal, 0);
    EXPECT_TRUE(vc->display().frequency.empty());
    EXPECT_FALSE(vc->display().details_shown);
    for (int i = 0; i < 5; ++i) {
        vc->on_detect();
        vc->on_logtimer();
        clock.time.second++;
    }
    EXPECT_EQ(vc->log().used_rows(), 1) << "the instructions are no reception";
    EXPECT_EQ(vc->log().row(1)[col_duration], duration) << "the last reception stopped growing";
    EXPECT_EQ(tarvex::test::read_file(dir / "log.csv"), file_before);

    plug();
    for (int i = 0; i < 3 && vc->link().detecting(); ++i) vc->on_detect();
    scanner.hear("460.1000", "Tac 2");
    cycle();
    EXPECT_EQ(vc->link_state(), LinkState::connected);
    EXPECT_EQ(vc->log().row(1)[col_data], "460.1000");
}

TEST_F(VcTest, AWatchdogWithoutAnswerSaysSoAndClearsTheReception) {
    plug();
    open();
    ASSERT_TRUE(vc->start());
    scanner.hear("155.2250", "Dispatch");
    cycle();
    vc->on_timer3();  // no reply in time, the port reopens
    EXPECT_EQ(vc->link_state(), LinkState::no_answer);
    EXPECT_EQ(vc->state_text(), "No answer on /dev/hp");
    EXPECT_FALSE(vc->display().busy);
}

TEST_F(VcTest, ADeviceChosenInTheWindowIsUsedAtOnceAndRemembered) {
    port.plug("/dev/other", [this](const std::string& f) { return scanner(f); });
    plug();
    open();
    EXPECT_EQ(vc->link_state(), LinkState::stopped);
    ASSERT_TRUE(vc->start());
    vc->choose_device("/dev/other");
    EXPECT_EQ(settings.GetSetting("com", "usbdevice", "x"), "/dev/other");
    EXPECT_EQ(vc->link_state(), LinkState::waiting);
    EXPECT_EQ(vc->link().current_port(), (PortId{0, "/dev/other"}));
    EXPECT_EQ(vc->state_text(), "Waiting for an answer on /dev/other...");
    vc->choose_device("");  // automatic: detection looks for the scanner
    EXPECT_EQ(settings.GetSetting("com", "usbdevice", "x"), "");
    EXPECT_EQ(vc->link_state(), LinkState::searching);
}

TEST(VcStateLine, NamesTheStateThePortAndTheModel) {
    EXPECT_EQ(state_line(LinkState::searching, "/dev/ttyACM0", ""), "Searching for a scanner...");
    EXPECT_EQ(state_line(LinkState::no_answer, "/dev/ttyACM0", ""), "No answer on /dev/ttyACM0");
    EXPECT_EQ(state_line(LinkState::no_answer, "", ""), "No answer");
    EXPECT_EQ(state_line(LinkState::connected, "COM3", "HomePatrol-1"),
              "Connected to HomePatrol-1 on COM3");
    EXPECT_EQ(state_line(LinkState::waiting, "COM3", ""), "Waiting for an answer on COM3...");
    EXPECT_EQ(state_line(LinkState::stopped, "COM3", ""),
              "Not connected: choose the scanner's device and press Start");
    EXPECT_EQ(model_of_reply("RMT\tMODEL\tHomePatrol-1\r"), "HomePatrol-1");
    EXPECT_EQ(model_of_reply("MODEL\tHomePatrol-2\r\n"), "HomePatrol-2");
    EXPECT_EQ(model_of_reply(""), "HomePatrol-1");
}

TEST_F(VcTest, ClosingKeepsTheLogAndTheSettingsForTheNextSession) {
    plug();
    open();
    vc->start();
    vc->set_column_width(2, 2222);
    vc->set_log_file_path(dir / "mine.csv");
    scanner.hear("155.2250", "Dispatch");
    cycle();
    vc->close_window();
    EXPECT_FALSE(port.is_open());
    EXPECT_EQ(settings.GetSetting("vc", "wvc2", "x"), "2222");
    EXPECT_EQ(settings.GetSetting("vc", "VC_option1", "x"), (dir / "mine.csv").string());
    EXPECT_EQ(settings.GetSetting("com", "usbport", "x"), "0");

    open();
    EXPECT_EQ(vc->log().row(1)[col_data], "155.2250");
    EXPECT_EQ(vc->column_width(2), 2222);
    EXPECT_EQ(vc->log_file_path(), dir / "mine.csv");
}

TEST_F(VcTest, ClearAndDeleteAskFirstAndOnlyYesActs) {
    plug();
    open();
    vc->start();
    scanner.hear("155.2250", "Dispatch");
    cycle();
    vc->close_window();
    open();
    vc->set_log_file_path(dir / "log.csv");
    vc->set_append_to_file(true);
    prompter.script({Answer::No, Answer::Yes, Answer::No, Answer::Yes});
    vc->clear_log();
    EXPECT_EQ(vc->log().used_rows(), 1);
    vc->clear_log();
    EXPECT_EQ(vc->log().used_rows(), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "loggrid.ini"));
    vc->delete_log_file();
    EXPECT_EQ(tarvex::test::read_lines(dir / "log.csv").size(), 1u);
    clock.time = {2024, 5, 1, 14, 30, 0, 0};
    vc->delete_log_file();
    auto lines = tarvex::test::read_lines(dir / "log.csv");
    ASSERT_EQ(lines.size(), 1u) << "appending goes on in a fresh file";
    EXPECT_NE(lines[0].find("14:30:00"), std::string::npos);
    EXPECT_EQ(prompter.questions[0], k_clear_log_question);
    EXPECT_EQ(prompter.questions[2], k_delete_log_question);
}

TEST_F(VcTest, SaveLogAddsTheCsvExtensionWhenTheNameHasNone) {
    open();
    EXPECT_TRUE(vc->save_log(dir / "saved"));
    EXPECT_TRUE(std::filesystem::exists(dir / "saved.csv"));
    EXPECT_TRUE(vc->save_log(dir / "saved.txt"));
    EXPECT_FALSE(vc->save_log(dir / "missing" / "x.csv"));
    EXPECT_EQ(prompter.told.size(), 1u);
}

TEST_F(VcTest, RawLogWritesOnlyWhenLogDataIsTicked) {
    settings.SaveSetting("vc", "rawlogdir", (dir / "raw").string());
    std::filesystem::create_directory(dir / "raw");
    plug();
    open();
    vc->start();
    scanner.hear("155.2250", "Dispatch");
    cycle();
    EXPECT_TRUE(std::filesystem::is_empty(dir / "raw"));
    vc->set_log_data(true);
    cycle();
    cycle();
    auto name = dir / "raw" / raw_log_name(true, clock.time);
    EXPECT_EQ(tarvex::test::read_lines(name).size(), 1u) << "a repeated line is written once";
}
