// The bytes on the wire: encodings, cutting the stream into messages, and the panel's messages.
#include "link_tcp/Framing.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "link_tcp/ByteManipulation.h"
#include "link_tcp/Inbound.h"
#include "link_tcp/Outbound.h"
#include "link_tcp/WireBytes.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

using testing::Bytes;
using testing::Concat;

// A query is answered with a fixed reply, which makes every delivery visible on the socket.
const Bytes kQuery = testing::Framed(129, {100});
const Bytes kAnswer{129, 3, 1, 4, 255};

struct Link : testing::PanelFixture {
  Link() { socket.IsConnected = true; }
  Bytes Remaining() const {
    return Bytes(panel.Received.Data(), panel.Received.Data() + panel.Received.Size());
  }
  void Arrive(const Bytes& bytes) {
    socket.Feed(bytes);
    OnDataArrival(panel, static_cast<int>(bytes.size()));
  }
};

TEST(ByteManipulation, NumbersRunBytesAndChecksums) {
  EXPECT_EQ(JoinBytes(5, 2), 261);
  EXPECT_EQ(JoinBytes(255, 254), 32767);
  EXPECT_THROW(JoinBytes(128, 255), std::overflow_error);  // 32768
  Bytes m;
  AppendNumber(m, 16383);
  EXPECT_EQ(m, (Bytes{127, 127}));
  EXPECT_THROW(AppendNumber(m, 16384), std::out_of_range);
  EXPECT_THROW(AppendNumber(m, -1), std::out_of_range);
  // Run byte: flag is bit 6, length the low six bits.
  const uint8_t cases[][3] = {{70, 1, 6}, {63, 0, 63}, {64, 1, 0}, {128, 0, 0}, {255, 1, 63}};
  for (const auto& [in, flag, rest] : cases) {
    uint8_t b = in;
    EXPECT_EQ(SplitRunByte(b), flag) << int(in);
    EXPECT_EQ(b, rest) << int(in);
  }
  EXPECT_EQ(ComputeChecksum(Bytes{252, 0, 255}, 2), 0);  // empty body
  EXPECT_EQ(ComputeChecksum(Bytes{0, 127, 127, 127}, 0), 125);
}

// The messages' bytes are checked where each goes out: info requests in the connection and
// alpha table tests, crosspoint changes and salvo executes in the Take tests.
TEST(Outbound, OffSourceOfType1301GoesOutAsControlWord1024AndInput0) {
  Link s;
  s.panel.State.SwitcherType = 1301;
  s.panel.State.ReplaceInputs(std::vector<std::string>(13), {});
  SendCrosspointChange(s.panel, 300, 12);
  s.panel.State.SwitcherType = 0;  // the same input on another type is an ordinary source
  SendCrosspointChange(s.panel, 300, 12);
  EXPECT_EQ(s.socket.Written, (std::vector<Bytes>{{254, 0, 8, 0, 0, 44, 2, 54, 255},
                                                  {254, 4, 8, 12, 0, 44, 2, 70, 255}}));
}

// What is pending changes only for a message that could be built, and for an information request
// only when it went or the socket is still open; a send reports what the socket did.
TEST(Outbound, PendingStateChangesOnlyWhenTheMessageCouldGoAndSendsReportTheSocket) {
  Link s;
  s.socket.IsConnected = false;
  EXPECT_FALSE(SendInfoRequest(s.panel, 0x1000));
  EXPECT_TRUE(s.socket.Written.empty());
  EXPECT_EQ(s.panel.State.InfoPending, 0x5380);  // a closed socket has become a disconnection
  s.socket.IsConnected = true;
  s.panel.State.InfoPending = 0x80 | 0x4000;
  SendInfoRequest(s.panel, 0x1000);
  EXPECT_EQ(s.panel.State.InfoPending, 0x1000);  // replaced, not combined
  s.panel.State.PendingSalvo = 7;
  EXPECT_FALSE(SendSalvoExecute(s.panel, 16384));  // cannot be encoded
  EXPECT_EQ(s.panel.State.PendingSalvo, 7);
  SendSalvoExecute(s.panel, 7);
  EXPECT_EQ(s.panel.State.PendingSalvo, 16383);
  s.socket.AcceptWrites = false;  // a hard error: given up at once
  EXPECT_FALSE(SendToSwitcher(s.panel, {245}));
  s.socket.WriteError = kWouldBlock;  // would block forever: given up after a bound
  EXPECT_FALSE(SendToSwitcher(s.panel, {245}));
}

TEST(Framing, ProcessCommandCutsAtMostOneMessagePerCall) {
  struct Case {
    const char* name;
    Bytes buffer;
    int calls;
    Bytes remaining, written;
  } cases[] = {
      {"stray bytes then a poll", {7, 3, 245}, 1, {}, {244}},
      {"incomplete message waits", {252, 10, 4}, 1, {252, 10, 4}, {}},
      {"cut-short head dropped, next delivered", Concat({{252, 10, 4}, kQuery}), 1, {}, kAnswer},
      {"only stray bytes", {1, 2, 3, 127}, 1, {}, {}},
      {"lone end byte is a message of its own", {255, 246}, 1, {246}, {}},
      {"one message per call", Concat({kQuery, kQuery}), 1, kQuery, kAnswer},
      {"two calls, two messages", Concat({kQuery, kQuery}), 2, {}, Concat({kAnswer, kAnswer})},
      {"single-byte commands one at a time", {243, 241, 245}, 1, {241, 245}, {}},
      {"query other than 100 ignored", testing::Framed(129, {101}), 1, {}, {}},
      {"unknown command consumed", Concat({{233, 1, 2, 3, 255}, kQuery}), 1, kQuery, {}},
      {"command byte just before the end", {252, 1, 246, 255, 245}, 1, {245}, {}},
      {"poll stuck behind an incomplete message", {252, 10, 245}, 3, {252, 10, 245}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Link link;
    link.panel.Received.Append(c.buffer.data(), c.buffer.size());
    for (int i = 0; i < c.calls; ++i) ProcessCommand(link.panel);
    EXPECT_EQ(link.Remaining(), c.remaining);
    EXPECT_EQ(link.socket.AllWritten, c.written);
  }
}

TEST(Framing, DataArrivalDrainsEveryCompleteMessageInOrder) {
  Link link;
  link.panel.View.tmrPoll.Enabled = false;
  link.Arrive(Concat({kQuery, {245}, kQuery, {129, 100}}));
  EXPECT_EQ(link.socket.AllWritten, Concat({kAnswer, {244}, kAnswer}));
  EXPECT_EQ(link.Remaining(), (Bytes{129, 100}));
  EXPECT_TRUE(link.panel.View.tmrPoll.Enabled);
  tmrPoll_Timer(link.panel);  // still incomplete: keeps ticking
  EXPECT_TRUE(link.panel.View.tmrPoll.Enabled);

  link.Arrive({100, 255});
  EXPECT_EQ(link.socket.Written.size(), 4u);
  tmrPoll_Timer(link.panel);
  EXPECT_FALSE(link.panel.View.tmrPoll.Enabled);
}

TEST(Framing, MessagesArrivingWhileThePromptIsOpenAreHandledOnceInOrder) {
  Link link;
  const Bytes request = testing::Framed(242, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  int prompts = 0;
  link.ui.OnShowDialog = [&](Dialog) {
    ++prompts;
    link.panel.State.PasswordPromptOpen = true;
    // Completes the half-read query; a second request while the prompt shows opens no prompt.
    link.Arrive(Concat({{100, 255, 245}, request}));
    link.Arrive({245});
    link.panel.State.PasswordPromptOpen = false;
  };
  link.Arrive(Concat({request, kQuery, {245}, {129, 100}}));
  EXPECT_EQ(prompts, 1);
  EXPECT_EQ(link.socket.AllWritten, Concat({kAnswer, {244}, kAnswer, {244}, {244}}));
  EXPECT_EQ(link.ui.Stacking, (std::vector<int32_t>{kStayOnTopNo, kStayOnTopYes}));
  EXPECT_TRUE(link.panel.Received.Empty());
}

// Take reports in one arrival show the chosen destination's source as the inputs stand when each
// report is handled, also when new input names arrive between them; a report for another output
// changes only its map entry, and a source the panel cannot name leaves the display.
TEST(Framing, TakeReportsFollowInputNamesArrivingBetweenThem) {
  Link link;
  link.panel.View.txtInputDisp.Color = 3;
  const Bytes xy = testing::AlphaTable(10, 1, 0, {{"X", 0}, {"Y", 1}});
  const Bytes za = testing::AlphaTable(10, 1, 0, {{"Z", 0}, {"A", 1}});
  std::vector<std::string> shown;
  link.Arrive(Concat({xy, testing::TakeReport(1, 0)}));
  shown.push_back(link.panel.View.txtInputDisp.Text);
  link.Arrive(Concat({testing::TakeReport(1, 0), za, testing::TakeReport(5, 3)}));
  shown.push_back(link.panel.View.txtInputDisp.Text);
  link.Arrive(Concat({testing::TakeReport(5, 3), testing::TakeReport(0, 0)}));
  shown.push_back(link.panel.View.txtInputDisp.Text);
  link.Arrive(testing::TakeReport(200, 0));
  shown.push_back(link.panel.View.txtInputDisp.Text);
  EXPECT_EQ(shown, (std::vector<std::string>{"Y", "A", "Z", "Z"}));
  EXPECT_EQ(link.panel.State.CrosspointMap()[3].Source[0], 5);
  EXPECT_EQ(link.panel.View.txtInputDisp.Color, 12);
}

// Read in bounded pieces: everything complete is handled, junk never ending a message is not kept.
TEST(Framing, LargeArrivalsAreHandledInFullWithBoundedMemory) {
  Link link;
  Bytes arrival;
  for (int i = 0; i < 20000; ++i) arrival.insert(arrival.end(), kQuery.begin(), kQuery.end());
  arrival.push_back(250);
  arrival.resize(arrival.size() + ReceiveBuffer::kMaxSize + 100000, 1);
  link.Arrive(arrival);
  EXPECT_EQ(link.socket.Written.size(), 20000u);
  EXPECT_LE(link.panel.Received.Size(), ReceiveBuffer::kMaxSize);
  link.Arrive(Concat({{250}, kQuery}));
  EXPECT_EQ(link.socket.Written.size(), 20001u);
}

}  // namespace
}  // namespace dazi
