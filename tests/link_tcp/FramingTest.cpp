#include "link_tcp/Framing.h"

#include <gtest/gtest.h>

#include "link_tcp/Inbound.h"
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
  void Put(const Bytes& bytes) { panel.Received.Append(bytes.data(), bytes.size()); }
  Bytes Remaining() const {
    return Bytes(panel.Received.Data(), panel.Received.Data() + panel.Received.Size());
  }
  void Arrive(const Bytes& bytes) {
    socket.Feed(bytes);
    OnDataArrival(panel, static_cast<int>(bytes.size()));
  }
};

TEST(Framing, ProcessCommandCutsAtMostOneMessagePerCall) {
  struct Case {
    const char* name;
    Bytes buffer;
    int calls;
    Bytes remaining;
    Bytes written;
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
    Link link;
    link.Put(c.buffer);
    for (int i = 0; i < c.calls; ++i) ProcessCommand(link.panel);
    EXPECT_EQ(link.Remaining(), c.remaining) << c.name;
    EXPECT_EQ(link.socket.AllWritten, c.written) << c.name;
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
    // Completes the query left half-read; a second request while the prompt shows opens no
    // second prompt.
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

// Read in bounded pieces: everything complete is handled, junk never ending a message is not kept.
TEST(Framing, LargeArrivalsAreHandledInFullWithBoundedMemory) {
  Link link;
  Bytes junk(ReceiveBuffer::kMaxSize + 100000, 1);
  junk[0] = 250;
  Bytes arrival;
  for (int i = 0; i < 20000; ++i) arrival.insert(arrival.end(), kQuery.begin(), kQuery.end());
  arrival.insert(arrival.end(), junk.begin(), junk.end());
  link.Arrive(arrival);
  EXPECT_EQ(link.socket.Written.size(), 20000u);
  EXPECT_LE(link.panel.Received.Size(), ReceiveBuffer::kMaxSize);
  link.Arrive(Concat({{250}, kQuery}));
  EXPECT_EQ(link.socket.Written.size(), 20001u);
}

}  // namespace
}  // namespace dazi
