// Command frames and reply collection over a USB link that delivers bytes in any pieces.
#include <gtest/gtest.h>

#include "core/remote/framing.h"
#include "core/remote/port_names.h"
#include "fake_port.h"

using namespace tarvex::remote;
using tarvex::remote::test::FakePort;

TEST(CommandFrame, StatusCarriesTheSumOfEveryCharacterBeforeIt) {
    std::string command = "STATUS";
    EXPECT_EQ(frame_command(command), "RMT\tSTATUS\t745\r");
    EXPECT_EQ(frame_checksum("RMT\tSTATUS\t"), 745);
}

TEST(CommandFrame, LowerCaseCommandIsUpperCasedForTheCallerToo) {
    std::string command = "vol\t3";
    std::string frame = frame_command(command);
    EXPECT_EQ(command, "VOL\t3");
    EXPECT_EQ(frame, "RMT\tVOL\t3\t" + std::to_string(frame_checksum("RMT\tVOL\t3\t")) + "\r");
    EXPECT_EQ(frame.find('\n'), std::string::npos);
}

TEST(CommandFrame, BytesAboveAsciiCountAsUnsigned) {
    EXPECT_EQ(frame_checksum("\xE9"), 0xE9);
}

TEST(CommandFrame, NothingIsWrittenWhileThePortIsClosed) {
    FakePort port;
    port.plug(device_for_port(3), nullptr);
    send_com(port, "STATUS");
    EXPECT_TRUE(port.written.empty());
    ASSERT_EQ(port.open(PortId{3, {}}, k_scanner_settings), 0);
    send_com(port, "STATUS");
    ASSERT_EQ(port.written.size(), 1u);
}

TEST(ReplyCompletion, ASplitReplyIsCompleteOnlyWithItsFinalCr) {
    ReceiveBuffer buffer;
    buffer.append("RMT\tSTA");
    EXPECT_FALSE(buffer.complete());
    buffer.append("TUS\t155.2250\tFM");
    EXPECT_FALSE(buffer.complete());
    buffer.append("\r");
    ASSERT_TRUE(buffer.complete());
    auto replies = buffer.take_replies();
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0], "RMT\tSTATUS\t155.2250\tFM");
    EXPECT_TRUE(buffer.text().empty());
}

TEST(ReplyCompletion, TwoRepliesInOneReadStaySeparate) {
    ReceiveBuffer buffer;
    buffer.append("RMT\tCNEXT\tOK\rRMT\tSTATUS\t155.2250\r");
    auto replies = buffer.take_replies();
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0], "RMT\tCNEXT\tOK");
    EXPECT_EQ(replies[1], "RMT\tSTATUS\t155.2250");
}

TEST(ReplyCompletion, EndlessGarbageWithoutCrStaysBounded) {
    ReceiveBuffer buffer;
    std::string junk(10000, '#');
    for (int i = 0; i < 100; ++i) buffer.append(junk);
    EXPECT_LE(buffer.text().size(), ReceiveBuffer::k_limit);
    EXPECT_FALSE(buffer.complete());
}

TEST(PortNames, NumbersMapToThePlatformsDevicesAndNamedDevicesWin) {
#if defined(__linux__)
    EXPECT_EQ(device_for_port(1), "/dev/ttyS0");
    EXPECT_EQ(device_for_port(2), "/dev/ttyACM0");
    EXPECT_EQ(device_for_port(99), "/dev/ttyACM97");
#endif
    EXPECT_EQ(device_for_port(0), "");
    EXPECT_EQ(device_for_port(100), "");
    EXPECT_EQ(device_for(PortId{5, "/tmp/ttyHP"}), "/tmp/ttyHP");
    EXPECT_EQ(port_caption(3), "usb/com3");
}

TEST(PortNames, SettingsTextReadsAndBadPartsKeepTheScannersValues) {
    auto s = parse_port_settings("9600,e,7,2");
    EXPECT_EQ(s.baud, 9600);
    EXPECT_EQ(s.parity, 'e');
    EXPECT_EQ(s.data_bits, 7);
    EXPECT_EQ(s.stop_bits, 2);
    auto bad = parse_port_settings("fast,q,12");
    EXPECT_EQ(bad.baud, 115200);
    EXPECT_EQ(bad.parity, 'n');
    EXPECT_EQ(bad.data_bits, 8);
    EXPECT_EQ(bad.stop_bits, 1);
}
