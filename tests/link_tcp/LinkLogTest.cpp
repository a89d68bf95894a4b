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

class RecordingLog : public LinkLog {
 public:
  void Received(const uint8_t* data, size_t size) override {
    Lines.push_back("in " + DescribeLinkMessage(LinkSender::Server, data, size));
  }
  void Sent(const uint8_t* data, size_t size) override {
    Lines.push_back("out " + DescribeLinkMessage(LinkSender::Panel, data, size));
  }
  void Event(const std::string& text) override { Lines.push_back(text); }
  std::vector<std::string> Lines;
};

TEST(LinkLogTest, TracesMessagesBothWaysAndWhyTheLinkDropped) {
  testing::PanelFixture f;
  RecordingLog log;
  f.panel.Log = &log;
  f.panel.Settings.IPAddress = "127.0.0.1";
  f.panel.Settings.IPAllowedMisses = 1;
  ConnectToSwitcher(f.panel);
  f.socket.IsConnected = true;
  OnConnect(f.panel);
  f.socket.Incoming = {7, 245};
  OnDataArrival(f.panel, 2);
  for (int tick = 0; tick < 3; ++tick) PollTick(f.panel);
  SendToSwitcher(f.panel, {245});
  EXPECT_EQ(log.Lines, (std::vector<std::string>{
                           "connecting to 127.0.0.1:1250", "connected to 127.0.0.1:1250",
                           "in poll: F5", "out poll answer: F4", "out poll: F5", "out poll: F5",
                           "disconnecting: 2 polls unanswered (allowed 1)",
                           "poll not sent: send on a closed socket; disconnecting"}));
}

}  // namespace
}  // namespace dazi
