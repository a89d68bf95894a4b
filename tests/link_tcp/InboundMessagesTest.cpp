#include <gtest/gtest.h>

#include <tuple>

#include "link_tcp/Inbound.h"
#include "link_tcp/WireBytes.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

using testing::AlphaTable;
using testing::Bytes;
using testing::Framed;
using testing::TakeReport;
using Texts = std::vector<std::string>;

struct Server : testing::PanelFixture {
  Server() { socket.IsConnected = true; }
  const OutputRoute& Route(int output) const { return panel.State.CrosspointMap()[output]; }
  bool Pending(int32_t bit) const { return (panel.State.InfoPending & bit) != 0; }
};

TEST(CrosspointMapMessage, ShortUnmarkedFormFillsSourceEntries) {
  Server m;
  ProcessCrosspointMap(m.panel, Framed(246, {0, 1, 0, 2, 0, /*E*/ 1, 0, /*route*/ 9,
                                             /*A*/ 5, 0, /*B*/ 6, 0}));
  const OutputRoute& r = m.Route(2);
  EXPECT_EQ(std::tuple(r.Source[0], r.SourceWordB[0], r.RouteByte, r.EntryCount, r.TieCount),
            std::tuple(5, 6, 9, 1, 0));
  EXPECT_FALSE(m.Pending(kInfoCrosspointMap));
  EXPECT_FALSE(m.panel.State.SelectorsBusy);
}

TEST(CrosspointMapMessage, MarkedLongFormSplitsTiesFromSources) {
  Server m;
  m.panel.State.ApplyRoute(1, 99);
  // Output 0: a tie to output 7 and the source 3; output 1: no entries.
  ProcessCrosspointMap(m.panel, Framed(246, {74, 2, 0, 0,  0,                 //
                                             2,  0, 0, 10, 7, 0, 1, 0, 2, 0,  //
                                             0,  3, 0, 4,  0, 5, 0,           //
                                             0,  0, 0}));
  const OutputRoute& r = m.Route(0);
  EXPECT_EQ(std::tuple(r.EntryCount, r.TieCount, r.TieOutput[0], r.TieWordB[0], r.TieWordC[0]),
            std::tuple(2, 1, 7, 1, 2));
  EXPECT_EQ(std::tuple(r.Source[0], r.SourceWordB[0], r.SourceWordC[0]), std::tuple(3, 4, 5));
  EXPECT_EQ(m.Route(1).Source[0], 255);  // no entries: the last input
  EXPECT_FALSE(m.Pending(kInfoCrosspointMap));
}

TEST(InhibitMapMessage, RunsSetFlagsFromInputZeroAndHugeRunsAreClipped) {
  Server m;
  const InhibitMap& inhibit = m.panel.State.Inhibit();
  m.panel.State.StoreInhibitRun(4, 5, 6, 1);
  m.panel.State.StoreInhibitRun(4, 0, 1, 1);
  // Output 4: runs (0 x 3), (1 x 2) give "00011"; input 5 is left alone.
  ProcessInhibitMap(m.panel, Framed(248, {0, 1, 0, 4, 0, 2, 0, 3, 0, 66, 0}));
  const int expected[] = {0, 0, 0, 1, 1, 1};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(inhibit.Get(4, i), expected[i]) << i;
  EXPECT_FALSE(m.Pending(kInfoInhibitMap));
  EXPECT_FALSE(m.panel.State.SelectorsBusy);

  m.panel.State.InfoPending = kInfoInhibitMap;
  Bytes body{0, 1, 0, 0, 0};
  testing::PutNumber(body, 2000);
  for (int r = 0; r < 2000; ++r) body.insert(body.end(), {127, 127});  // flag 1, 16319 inputs
  ProcessInhibitMap(m.panel, Framed(248, body));
  EXPECT_EQ(inhibit.Get(0, 255), 1);
  EXPECT_EQ(inhibit.Get(1, 0), 0);
  EXPECT_FALSE(m.Pending(kInfoInhibitMap));
}

// Numbers off the wire that index the panel's tables are checked, and a message is checked whole
// before it changes the model: a faulty one changes nothing and leaves its information pending.
TEST(FaultyMessages, AreDroppedWholeWithTheirInformationLeftPending) {
  Bytes badAlphas = AlphaTable(10, 4, 0, {{"VTR2", 0}, {"cam1", 1}, {"Bars", 2}});
  badAlphas[25] ^= 1;
  Bytes tooManyTies{64 + 4, 1, 0, 0, 0, 33, 0, 0};
  for (int k = 0; k < 33; ++k) tooManyTies.insert(tooManyTies.end(), {10, 7, 0, 0, 0});
  const Bytes outside = AlphaTable(10, 4, 0, {{"VTR2", 0}, {"cam1", 2}});
  Bytes badTake = TakeReport(1, 5);
  badTake[7] ^= 1;
  struct Case {
    const char* name;
    Bytes message;
    size_t mapSize = 256;
  } cases[] = {
      {"alphas: short by one byte", AlphaTable(10, 4, 0, {{"VTR2", 0}, {"cam1", 1}, {"Bar", 2}})},
      {"alphas: bad checksum", badAlphas},
      {"alphas: no inputs", AlphaTable(10, 4, 0, {})},
      {"alphas: no outputs", AlphaTable(20, 4, 0, {})},
      {"alphas: unknown kind", AlphaTable(30, 4, 0, {{"VTR2", 0}})},
      {"alphas: record number outside the table", outside},
      {"map: 65 entries on the second output",
       Framed(246, {0, 2, 0, 0, 0, 1, 0, 0, 8, 0, 0, 0, 65, 0})},
      {"map: first output past the count", Framed(246, {0, 1, 0, 1, 2, 1, 0, 0, 8, 0, 0, 0})},
      {"map: first output equal to the count", Framed(246, {0, 1, 0, 0, 2, 1, 0, 0, 8, 0, 0, 0})},
      {"map: one byte too long", Framed(246, {0, 1, 0, 0, 0, 1, 0, 0, 8, 0, 0, 0, 0})},
      {"map: outputs beyond the message", Framed(246, {0, 100, 0, 0, 0, 1, 0, 0, 8, 0, 0, 0})},
      {"map: 33 ties", Framed(246, tooManyTies)},
      {"map: bad checksum", {246, 0, 1, 0, 0, 0, 1, 0, 0, 8, 0, 0, 0, 0, 255}},
      {"map: output past a map shorter than the count",
       Framed(246, {0, 2, 0, 9, 0, 1, 0, 0, 8, 0, 0, 0, 1, 0, 0, 8, 0, 0, 0}), 10},
      {"inhibit: one byte too long", Framed(248, {0, 1, 0, 127, 1, 1, 0, 65, 0, 0})},
      {"inhibit: run count beyond the message", Framed(248, {0, 1, 0, 127, 1, 9, 0, 65, 0})},
      {"inhibit: second output outside the map",
       Framed(248, {0, 2, 0, 127, 1, 1, 0, 65, 0, 1, 0, 65, 0})},
      {"inhibit: bad checksum", {248, 0, 1, 0, 127, 1, 1, 0, 65, 0, 0, 255}},
      {"take: output past the count", TakeReport(1, 300)},
      {"take: output equal to the count", TakeReport(1, 256)},
      {"take: bad checksum", badTake},
      {"take: one byte too long", Framed(254, {4, 8, 1, 0, 5, 0, 0})},
      {"take: output past a map shorter than the count", TakeReport(1, 20), 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Server m;
    m.panel.State.ReplaceRoutes(c.mapSize);
    DispatchMessage(m.panel, c.message);
    const SwitcherState& s = m.panel.State;
    int sources = 0;
    for (const OutputRoute& r : s.CrosspointMap()) sources += r.Source[0] + r.EntryCount;
    EXPECT_EQ(sources, 0);
    EXPECT_EQ(s.Inhibit().Get(255, 0), 0);
    EXPECT_EQ(s.InfoPending, kInfoEverything);
    EXPECT_FALSE(s.SelectorsBusy);
    EXPECT_EQ(std::tuple(s.InputCount(), s.OutputCount(), s.Inputs().Alphas()[0]),
              std::tuple(256, 256, "NoSystem"));
    EXPECT_EQ(s.Inputs().AlphasByChannel()[0], "Inpt0001");
  }
}

TEST(SalvoEvents, KeysAreReadPastTheEventsAndACountBeyondTheMessageDropsIt) {
  Server t;
  SwitcherState& s = t.panel.State;
  Bytes body{0, 2, 0, 0, 0, /*key*/ 0, 0, /*events*/ 1, 0};
  body.insert(body.end(), 13, 99);
  body.insert(body.end(), {5, 0, 0, 0});
  ProcessSalvoEvents(t.panel, Framed(235, body));
  EXPECT_EQ(s.SalvoKeys(), (std::vector<int16_t>{0, 5}));
  EXPECT_EQ(s.InfoPending & kInfoSalvos, 0);
  s.InfoPending = kInfoSalvos;
  ProcessSalvoEvents(t.panel, Framed(235, {0, 100, 0, 0, 0, 7, 0, 0, 0}));
  EXPECT_EQ(std::make_tuple(s.SalvoKeys(), s.SalvoCount()),
            std::make_tuple(std::vector<int16_t>{0, 5}, 2));
  EXPECT_EQ(s.InfoPending, kInfoSalvos);
  ProcessSalvoEvents(t.panel, Framed(235, {0, 0, 0, 0, 0}));
  EXPECT_EQ(s.Salvos().Alphas(), (std::vector<std::string>{"No Salvos"}));
}

TEST(ServerRequest, StoredPasswordIsSentElseTheOperatorIsAsked) {
  Server stored, unfit, empty;
  stored.panel.Settings.Password = u"abc";
  unfit.panel.Settings.Password = u"\u00e9t\u00e9";  // cannot travel: asked instead
  for (Server* s : {&stored, &unfit, &empty}) {
    ProcessServerRequest(s->panel, Framed(242, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));  // not for us
    ProcessServerRequest(s->panel, Framed(242, {2, 0, 0, 0, 0, 0, 0, 0, 0}));     // 12 bytes
    ProcessServerRequest(s->panel, Framed(242, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  }
  EXPECT_EQ(stored.socket.AllWritten, (Bytes{128, 0, 3, 97, 98, 99, 41, 255}));
  EXPECT_TRUE(stored.ui.Events.empty());
  for (Server* s : {&unfit, &empty}) {
    EXPECT_TRUE(s->socket.Written.empty());
    EXPECT_EQ(s->ui.Events, (std::vector<std::string>{"stacking:-2", "dialog:4", "stacking:-1"}));
  }
}

}  // namespace
}  // namespace dazi
