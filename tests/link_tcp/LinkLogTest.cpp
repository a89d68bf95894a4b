#include "link_tcp/LinkLogText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link_tcp/Connection.h"
#include "link_tcp/Framing.h"
#include "link_tcp/Outbound.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

std::string Describe(LinkSender sender, std::vector<uint8_t> bytes) {
  return DescribeLinkMessage(sender, bytes.data(), bytes.size());
}

TEST(LinkLogTextTest, NamesBySenderHexCappedAndPasswordMasked) {
  EXPECT_EQ(Describe(LinkSender::Panel, {254, 4, 8, 12, 0, 5, 0, 29, 255}),
            "crosspoint change: FE 04 08 0C 00 05 00 1D FF");
  EXPECT_EQ(Describe(LinkSender::Server, {254, 4, 8, 12, 0, 5, 0, 29, 255}),
            "take report: FE 04 08 0C 00 05 00 1D FF");
  EXPECT_EQ(Describe(LinkSender::Server, {241}), "poll answer (switcher link down): F1");
  EXPECT_EQ(Describe(LinkSender::Panel, {128, 0, 3, 97, 98, 99, 41, 255}),
            "password: 80 00 03 ** ** ** 29 FF");
  EXPECT_EQ(Describe(LinkSender::Server, {200, 255}), "unknown: C8 FF");

  std::vector<uint8_t> map(300, 1);
  map.front() = 246;
  const std::string text = Describe(LinkSender::Server, map);
  EXPECT_EQ(text.rfind("crosspoint map: F6 01", 0), 0u);
  EXPECT_EQ(text.substr(text.size() - 27), "01 01 01 01 ... (300 bytes)");
  EXPECT_EQ(text.size(), std::string("crosspoint map:").size() + 64 * 3 + 16);
}

TEST(LinkLogTest, TracesMessagesBothWaysWhatWasDroppedAndWhyTheLinkDropped) {
  testing::PanelFixture f;
  testing::RecordingLog log;
  f.panel.Log = &log;
  f.panel.Settings.IPAddress = "127.0.0.1";
  f.panel.Settings.IPAllowedMisses = 1;
  ConnectToSwitcher(f.panel);
  f.socket.IsConnected = true;
  OnConnect(f.panel);
  f.socket.Incoming = {7, 245, 254, 4, 8, 1, 0, 5, 0, 0, 255};
  OnDataArrival(f.panel, 11);
  for (int tick = 0; tick < 3; ++tick) PollTick(f.panel);
  SendToSwitcher(f.panel, {245});
  EXPECT_EQ(log.Lines, (std::vector<std::string>{
                           "connecting to 127.0.0.1:1250", "connected to 127.0.0.1:1250",
                           "1 received bytes dropped: before the next command byte", "in poll: F5",
                           "out poll answer: F4", "in take report: FE 04 08 01 00 05 00 00 FF",
                           "take report dropped: bad checksum", "out poll: F5", "out poll: F5",
                           "disconnecting: 2 polls unanswered (allowed 1)",
                           "poll not sent: send on a closed socket; disconnecting"}));
}

}  // namespace
}  // namespace dazi
