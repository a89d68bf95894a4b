#include "link_tcp/Outbound.h"

#include <gtest/gtest.h>

#include "support/PanelFixture.h"

namespace dazi {
namespace {

using Bytes = std::vector<uint8_t>;

struct Sender : testing::PanelFixture {
  Sender() { socket.IsConnected = true; }
};

TEST(Outbound, MessagesGoOutByteForByte) {
  Sender s;
  EXPECT_TRUE(SendInfoRequest(s.panel, 0x5380));
  EXPECT_TRUE(SendInfoRequest(s.panel, 0x1000));
  EXPECT_TRUE(SendCrosspointChange(s.panel, 5, 12));
  EXPECT_TRUE(SendSalvoExecute(s.panel, 3));
  EXPECT_EQ(s.socket.Written, (std::vector<Bytes>{{242, 0, 39, 1, 0, 0, 0, 0, 0, 0, 0, 40, 255},
                                                  {242, 0, 32, 0, 0, 0, 0, 0, 0, 0, 0, 32, 255},
                                                  {254, 4, 8, 12, 0, 5, 0, 29, 255},
                                                  {234, 100, 3, 0, 103, 255}}));
}

TEST(Outbound, OffSourceOfType1301GoesOutAsControlWord1024AndInput0) {
  Sender s;
  s.panel.State.SwitcherType = 1301;
  s.panel.State.InputCount = 13;
  SendCrosspointChange(s.panel, 300, 12);
  EXPECT_EQ(s.socket.AllWritten, (Bytes{254, 0, 8, 0, 0, 44, 2, 54, 255}));
  s.socket.AllWritten.clear();
  s.panel.State.SwitcherType = 0;  // the same input on another type is an ordinary source
  SendCrosspointChange(s.panel, 300, 12);
  EXPECT_EQ(s.socket.AllWritten, (Bytes{254, 4, 8, 12, 0, 44, 2, 70, 255}));
}

TEST(Outbound, PendingStateChangesOnlyWhenTheMessageCouldBeBuilt) {
  Sender s;
  s.panel.State.InfoPending = 0x80 | 0x4000;
  SendInfoRequest(s.panel, 0x1000);
  EXPECT_EQ(s.panel.State.InfoPending, 0x1000);  // replaced, not combined
  s.panel.State.PendingSalvo = 7;
  EXPECT_FALSE(SendSalvoExecute(s.panel, 16384));  // cannot be encoded
  EXPECT_EQ(s.panel.State.PendingSalvo, 7);
  SendSalvoExecute(s.panel, 7);
  EXPECT_EQ(s.panel.State.PendingSalvo, 16383);
}

TEST(Outbound, PasswordTravelsOnlyAsShortPlainAscii) {
  EXPECT_EQ(BuildPassword(u""), (Bytes{128, 0, 0, 0, 255}));
  EXPECT_EQ(BuildPassword(u"abc"), (Bytes{128, 0, 3, 97, 98, 99, 41, 255}));
  EXPECT_EQ(BuildPassword(std::u16string(127, u'x'))->size(), 132u);
  EXPECT_FALSE(BuildPassword(std::u16string(128, u'x')));  // its length byte would end framing
  EXPECT_FALSE(BuildPassword(u"caf\u00e9"));
  EXPECT_FALSE(BuildPassword(std::u16string(1, u'\0')));
}

TEST(Outbound, SendReportsWhatTheSocketDid) {
  Sender closed;
  closed.socket.IsConnected = false;
  closed.panel.State.InfoPending = 0x5380;
  EXPECT_FALSE(SendInfoRequest(closed.panel, 0x1000));
  EXPECT_TRUE(closed.socket.Written.empty());
  EXPECT_EQ(closed.panel.State.InfoPending, 0x5380);  // not narrowed by a send that never went

  Sender failing;
  failing.socket.AcceptWrites = false;  // a hard error: given up at once
  EXPECT_FALSE(SendToSwitcher(failing.panel, {245}));
  failing.socket.WriteError = kWouldBlock;  // would block forever: given up after a bound
  EXPECT_FALSE(SendToSwitcher(failing.panel, {245}));
}

}  // namespace
}  // namespace dazi
