// The serial link's state machine, stepped tick by tick against a scripted port.
#include <gtest/gtest.h>

#include "core/remote/delay.h"
#include "core/remote/link.h"
#include "fake_port.h"

using namespace tarvex::remote;
using tarvex::remote::test::FakePort;
using tarvex::remote::test::frame_of;

namespace {

std::string scanner(const std::string& model, const std::string& frame) {
    if (frame == frame_of("MODEL")) return "RMT\tMODEL\t" + model + "\r";
    return "";
}

struct LinkTest : ::testing::Test {
    FakePort port;
    TimerFlags timers;
    VcLink link{port, timers};
};

}  // namespace

TEST_F(LinkTest, StartOpensTheSelectedPortAndPutsTheScannerInScanMode) {
    port.plug(device_for_port(4), nullptr);
    link.select_port(PortId{4, {}});
    ASSERT_TRUE(link.start());
    EXPECT_EQ(port.written, (std::vector<std::string>{frame_of("JPM\tSCN_MODE")}));
    EXPECT_TRUE(timers.is_on(VcTimer::Timer1));
    EXPECT_TRUE(timers.is_on(VcTimer::Timer2));
    EXPECT_TRUE(timers.is_on(VcTimer::logtimer));
    EXPECT_FALSE(link.closing());
}

TEST_F(LinkTest, StartOnAPortThatDoesNotOpenLeavesTheTimersOff) {
    EXPECT_FALSE(link.start()) << "\"select\" is no port";
    link.select_port(PortId{7, {}});
    EXPECT_FALSE(link.start());
    EXPECT_FALSE(timers.is_on(VcTimer::Timer1));
    EXPECT_FALSE(timers.is_on(VcTimer::logtimer));
}

TEST_F(LinkTest, OneStatusRequestIsOutstandingAtATime) {
    port.plug(device_for_port(2), [](const std::string& f) {
        return f == frame_of("STATUS") ? std::string("RMT\tSTATUS\t155.2250\r") : std::string();
    });
    link.start_on(PortId{2, {}});
    port.written.clear();
    link.poll_tick();
    link.poll_tick();
    EXPECT_EQ(port.written.size(), 1u);
    EXPECT_TRUE(link.awaiting_reply());
    EXPECT_TRUE(timers.is_on(VcTimer::Timer3));
    auto replies = link.receive_tick();
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_FALSE(link.awaiting_reply());
    EXPECT_FALSE(timers.is_on(VcTimer::Timer3));
    link.poll_tick();
    EXPECT_EQ(port.written.size(), 2u);
}

TEST_F(LinkTest, ReplySplitAcrossReadsIsHandedOverOnceComplete) {
    port.plug("/dev/fake", nullptr);
    link.start_on(PortId{0, "/dev/fake"});
    link.poll_tick();
    port.receive("RMT\tSTATUS\t15");
    EXPECT_TRUE(link.receive_tick().empty());
    port.receive("5.2250\tFM");
    EXPECT_TRUE(link.receive_tick().empty());
    EXPECT_TRUE(link.awaiting_reply());
    port.receive("\r");
    EXPECT_EQ(link.receive_tick(), (std::vector<std::string>{"RMT\tSTATUS\t155.2250\tFM"}));
}

TEST_F(LinkTest, WatchdogReopensASilentPortAndDropsHalfReplies) {
    port.plug("/dev/fake", nullptr);
    link.start_on(PortId{0, "/dev/fake"});
    link.poll_tick();
    port.receive("RMT\tSTA");
    link.receive_tick();
    EXPECT_EQ(link.watchdog_tick(), WatchdogOutcome::reopened);
    EXPECT_TRUE(port.is_open());
    EXPECT_TRUE(link.buffer().text().empty());
    EXPECT_FALSE(link.awaiting_reply());
    EXPECT_TRUE(timers.is_on(VcTimer::Timer1));
    EXPECT_TRUE(timers.is_on(VcTimer::Timer2));
    EXPECT_FALSE(timers.is_on(VcTimer::Timer3));
}

TEST_F(LinkTest, WatchdogReportsAnUnpluggedDevice) {
    port.plug("/dev/fake", nullptr);
    link.start_on(PortId{0, "/dev/fake"});
    link.poll_tick();
    port.unplug("/dev/fake");
    EXPECT_EQ(link.watchdog_tick(), WatchdogOutcome::device_gone);
    EXPECT_FALSE(port.is_open());
    EXPECT_FALSE(timers.is_on(VcTimer::Timer1));
    EXPECT_FALSE(timers.is_on(VcTimer::Timer2));
}

TEST_F(LinkTest, DetectionSkipsAHomePatrol2AndLeavesTheHomePatrol1Open) {
    port.plug(device_for_port(3), [](const std::string& f) { return scanner("HomePatrol-2", f); });
    port.plug(device_for_port(5), nullptr);  // a port that opens and says nothing
    port.plug(device_for_port(9), [](const std::string& f) { return scanner("HOMEPATROL-1", f); });
    link.begin_detection();
    EXPECT_TRUE(link.detecting());
    DetectStep step = DetectStep::searching;
    int ticks = 0;
    while (step == DetectStep::searching && ticks++ < 10) step = link.detect_tick();
    ASSERT_EQ(step, DetectStep::found);
    EXPECT_EQ(link.current_port(), (PortId{9, {}}));
    EXPECT_TRUE(port.is_open());
    EXPECT_EQ(port.device(), device_for_port(9));
    EXPECT_EQ(port.written_to, (std::vector<std::string>{device_for_port(3), device_for_port(5),
                                                         device_for_port(9)}));
    EXPECT_FALSE(link.detecting());
    EXPECT_TRUE(timers.is_on(VcTimer::Timer1));
    EXPECT_TRUE(timers.is_on(VcTimer::Timer2));
    EXPECT_EQ(link.ports_found()[3], 1);
    EXPECT_EQ(link.ports_found()[4], 0);
    EXPECT_EQ(port.opened.front(), device_for_port(2)) << "detection starts at port 2";
}

TEST_F(LinkTest, DetectionKeepsCyclingUntilAScannerIsPluggedInOrItIsStopped) {
    port.plug("/dev/hp", [](const std::string& f) { return scanner("HomePatrol-2", f); });
    link.set_named_device("/dev/hp");
    link.begin_detection();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(link.detect_tick(), DetectStep::searching);
    port.plug("/dev/hp", [](const std::string& f) { return scanner("HomePatrol-1", f); });
    DetectStep step = DetectStep::searching;
    for (int i = 0; i < 5 && step == DetectStep::searching; ++i) step = link.detect_tick();
    EXPECT_EQ(step, DetectStep::found);
    EXPECT_EQ(link.current_port(), (PortId{0, "/dev/hp"}));

    VcLink other{port, timers};
    other.begin_detection();
    other.close();
    EXPECT_EQ(other.detect_tick(), DetectStep::stopped);
    EXPECT_FALSE(timers.is_on(VcTimer::detect));
}

TEST_F(LinkTest, PortSelectorListsOpenablePortsAndSelectsTheStoredOne) {
    port.plug(device_for_port(3), nullptr);
    port.plug(device_for_port(12), nullptr);
    port.plug(device_for_port(45), nullptr);  // beyond the scan
    link.scan_ports();
    EXPECT_FALSE(port.is_open());
    link.fill_selector(3);
    ASSERT_EQ(link.selector().size(), 3u);
    EXPECT_EQ(link.selector()[0].caption, "select");
    EXPECT_EQ(link.selector()[1].caption, "usb/com3");
    EXPECT_EQ(link.selector()[2].caption, "usb/com12");
    EXPECT_EQ(link.selected_port(), (PortId{3, {}}));
    link.fill_selector(7);
    EXPECT_EQ(link.selected_port(), (PortId{12, {}})) << "the last entry added stays selected";
    link.set_named_device("/tmp/ttyHP");
    link.fill_selector(0);
    EXPECT_EQ(link.selector().back().caption, "/tmp/ttyHP");
    EXPECT_EQ(link.selected_port(), (PortId{0, "/tmp/ttyHP"}));
}

TEST_F(LinkTest, ClosingStopsEveryTimerAndClosesThePort) {
    port.plug("/dev/fake", nullptr);
    link.start_on(PortId{0, "/dev/fake"});
    timers.set(VcTimer::busydelay, true);
    link.close();
    for (int t = 0; t < k_timer_count; ++t) EXPECT_FALSE(timers.is_on(static_cast<VcTimer>(t)));
    EXPECT_FALSE(port.is_open());
    EXPECT_TRUE(link.closing());
    EXPECT_TRUE(link.awaiting_reply()) << "no poll may slip out after closing";
    link.send("STATUS");
    EXPECT_EQ(port.written.size(), 1u);
}

TEST(DelayRoutine, LongRequestsAreCappedAndNothingWaitsAcrossMidnight) {
    EXPECT_EQ(delay_length(12, 1000, false), 5);
    EXPECT_EQ(delay_length(1, 1000, false), 1);
    EXPECT_EQ(delay_length(1, 86395, false), 0) << "23:59:55";
    EXPECT_EQ(delay_length(-1, 1000, false), 0);
    EXPECT_EQ(delay_length(1, 1000, true), 0);

    double clock = 1000;
    int yields = 0;
    DelayHost host{[&] { return clock += 0.01; }, [&] { ++yields; }};
    bool closing = false, stop = false;
    Vertraagvc(12, host, closing, stop);
    EXPECT_NEAR(clock, 1005.0, 0.05);
    EXPECT_GT(yields, 40);

    clock = 1000;
    host.yield = [&] { stop = true; };
    Vertraagvc(3, host, closing, stop);
    EXPECT_LT(clock, 1000.2) << "stopping detection ends the wait";

    clock = 1000;
    host.yield = [&] { g_vertraag_abort = true; };
    vertraag(3, host);
    EXPECT_LT(clock, 1000.2);
    g_vertraag_abort = false;
}
