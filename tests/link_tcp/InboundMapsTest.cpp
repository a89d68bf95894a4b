#include <gtest/gtest.h>

#include <tuple>

#include "link_tcp/Inbound.h"
#include "link_tcp/WireBytes.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

using testing::Bytes;
using testing::Framed;

struct Maps : testing::PanelFixture {
  Maps() { panel.State.InfoPending = kInfoEverything; }
  const OutputRoute& Route(int output) const { return panel.State.CrosspointMap[output]; }
  bool Pending(int32_t bit) const { return (panel.State.InfoPending & bit) != 0; }
};

TEST(CrosspointMapMessage, ShortUnmarkedFormFillsSourceEntries) {
  Maps m;
  const Bytes map = Framed(246, {0, 1, 0, 2, 0, /*E*/ 1, 0, /*route*/ 9, /*A*/ 5, 0, /*B*/ 6, 0});
  ASSERT_EQ(map.size(), 15u);
  ProcessCrosspointMap(m.panel, map);
  const OutputRoute& r = m.Route(2);
  EXPECT_EQ(std::tuple(r.Source[0], r.SourceWordB[0], r.RouteByte, r.EntryCount, r.TieCount),
            std::tuple(5, 6, 9, 1, 0));
  EXPECT_FALSE(m.Pending(kInfoCrosspointMap));
  EXPECT_FALSE(m.panel.State.SelectorsBusy);
}

TEST(CrosspointMapMessage, MarkedLongFormSplitsTiesFromSources) {
  Maps m;
  m.panel.State.CrosspointMap[1].Source[0] = 99;
  // Output 0: a tie to output 7 and the source 3; output 1: no entries.
  const Bytes map = Framed(246, {74, 2, 0, 0,  0,                 //
                                 2,  0, 0, 10, 7, 0, 1, 0, 2, 0,  //
                                 0,  3, 0, 4,  0, 5, 0,           //
                                 0,  0, 0});
  ProcessCrosspointMap(m.panel, map);
  const OutputRoute& r = m.Route(0);
  EXPECT_EQ(std::tuple(r.EntryCount, r.TieCount, r.TieOutput[0], r.TieWordB[0], r.TieWordC[0]),
            std::tuple(2, 1, 7, 1, 2));
  EXPECT_EQ(std::tuple(r.Source[0], r.SourceWordB[0], r.SourceWordC[0]), std::tuple(3, 4, 5));
  EXPECT_EQ(m.Route(1).Source[0], 255);  // no entries: the last input
  EXPECT_FALSE(m.Pending(kInfoCrosspointMap));
}

TEST(CrosspointMapMessage, FaultyMapsKeepWhatWasWrittenAndStayPending) {
  Bytes tooManyTies{64 + 4, 1, 0, 0, 0, 33, 0, 0};
  for (int k = 0; k < 33; ++k) tooManyTies.insert(tooManyTies.end(), {10, 7, 0, 0, 0});
  struct Case {
    const char* name;
    Bytes message;
    int output0Source;  // Source(0) of output 0 afterwards (starts at 0)
  } cases[] = {
      {"65 entries on the second output", Framed(246, {0, 2, 0, 0, 0, 1, 0, 0, 8, 0, 0, 0, 65, 0}),
       8},
      {"first output past the count", Framed(246, {0, 1, 0, 1, 2, 1, 0, 0, 8, 0, 0, 0}), 0},
      {"first output equal to the count", Framed(246, {0, 1, 0, 0, 2, 1, 0, 0, 8, 0, 0, 0}), 0},
      {"one byte too long", Framed(246, {0, 1, 0, 0, 0, 1, 0, 0, 8, 0, 0, 0, 0}), 8},
      {"outputs beyond the message", Framed(246, {0, 100, 0, 0, 0, 1, 0, 0, 8, 0, 0, 0}), 8},
      {"33 ties", Framed(246, tooManyTies), 0},
      {"bad checksum", {246, 0, 1, 0, 0, 0, 1, 0, 0, 8, 0, 0, 0, 0, 255}, 0},
  };
  for (const Case& c : cases) {
    Maps m;
    ProcessCrosspointMap(m.panel, c.message);
    EXPECT_EQ(m.Route(0).Source[0], c.output0Source) << c.name;
    EXPECT_TRUE(m.Pending(kInfoCrosspointMap)) << c.name;
    EXPECT_FALSE(m.panel.State.SelectorsBusy) << c.name;
  }
}

TEST(InhibitMapMessage, RunsSetFlagsFromInputZeroAndLeaveTheRestAlone) {
  Maps m;
  InhibitMap& inhibit = m.panel.State.Inhibit;
  inhibit.Set(4, 5, 1);
  inhibit.Set(4, 0, 1);
  // Output 4: runs (0 x 3), (1 x 2) give "00011".
  ProcessInhibitMap(m.panel, Framed(248, {0, 1, 0, 4, 0, 2, 0, 3, 0, 66, 0}));
  const int expected[] = {0, 0, 0, 1, 1, 1};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(inhibit.Get(4, i), expected[i]) << i;
  EXPECT_FALSE(m.Pending(kInfoInhibitMap));
  EXPECT_FALSE(m.panel.State.SelectorsBusy);
}

TEST(InhibitMapMessage, HugeRunsAreClippedToTheInputs) {
  Maps m;
  Bytes body{0, 1, 0, 0, 0};
  testing::PutNumber(body, 2000);
  for (int r = 0; r < 2000; ++r) body.insert(body.end(), {127, 127});  // flag 1, 16319 inputs
  ProcessInhibitMap(m.panel, Framed(248, body));
  EXPECT_EQ(m.panel.State.Inhibit.Get(0, 255), 1);
  EXPECT_EQ(m.panel.State.Inhibit.Get(1, 0), 0);
  EXPECT_FALSE(m.Pending(kInfoInhibitMap));
}

TEST(InhibitMapMessage, FaultyMapsStayPendingAndReleaseTheSelectors) {
  struct Case {
    const char* name;
    Bytes message;
    int output255Input0;
  } cases[] = {
      {"one byte too long", Framed(248, {0, 1, 0, 127, 1, 1, 0, 65, 0, 0}), 0},
      {"run count beyond the message", Framed(248, {0, 1, 0, 127, 1, 9, 0, 65, 0}), 0},
      {"second output outside the map", Framed(248, {0, 2, 0, 127, 1, 1, 0, 65, 0, 1, 0, 65, 0}),
       1},
      {"bad checksum", {248, 0, 1, 0, 127, 1, 1, 0, 65, 0, 0, 255}, 0},
  };
  for (const Case& c : cases) {
    Maps m;
    ProcessInhibitMap(m.panel, c.message);
    EXPECT_EQ(m.panel.State.Inhibit.Get(255, 0), c.output255Input0) << c.name;
    EXPECT_TRUE(m.Pending(kInfoInhibitMap)) << c.name;
    EXPECT_FALSE(m.panel.State.SelectorsBusy) << c.name;
  }
}

}  // namespace
}  // namespace dazi
