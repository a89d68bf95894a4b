#include <gtest/gtest.h>

#include "link_tcp/Inbound.h"
#include "link_tcp/WireBytes.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

using testing::Bytes;
using testing::Framed;

struct Server : testing::PanelFixture {
  Server() { socket.IsConnected = true; }
  // Three inputs in selector order Bars, cam1, VTR2 (channels 2, 1, 0); outputs in channel order.
  void LoadInputs() {
    SwitcherState& s = panel.State;
    s.InputCount = 3;
    s.InputAlpha = {"Bars", "cam1", "VTR2"};
    s.InputChannelAt = {2, 1, 0};
    for (int o = 0; o < 256; ++o) s.OutputChannelAt[o] = static_cast<int16_t>(o);
  }
};

Bytes TakeReport(int input, int output) {
  Bytes body{4, 8};
  testing::PutNumber(body, input);
  testing::PutNumber(body, output);
  return Framed(254, body);
}

TEST(TakeReport, ReportUpdatesItsOutputAndRedrawsTheChosenOne) {
  Server t;
  t.LoadInputs();
  SwitcherState& s = t.panel.State;
  s.SelectedOutput = 9;
  s.CrosspointMap[9].Source[0] = 1;
  t.panel.View.txtInputDisp = {"", 3};
  ProcessTake(t.panel, TakeReport(2, 5));
  EXPECT_EQ(s.CrosspointMap[5].Source[0], 2);
  EXPECT_EQ(t.panel.View.txtInputDisp.Text, "cam1");  // output 9's unchanged source
  EXPECT_EQ(t.panel.View.txtInputDisp.Color, 12);
  ProcessTake(t.panel, TakeReport(0, 9));
  EXPECT_EQ(t.panel.View.txtInputDisp.Text, "VTR2");
  ProcessTake(t.panel, TakeReport(200, 9));  // a source the panel cannot name: display kept
  EXPECT_EQ(t.panel.View.txtInputDisp.Text, "VTR2");
}

TEST(TakeReport, ReportsThatCannotApplyChangeNothing) {
  Server t;
  t.LoadInputs();
  Bytes wrongLength = TakeReport(1, 5);
  wrongLength.insert(wrongLength.begin() + 7, 0);
  Bytes badChecksum = TakeReport(1, 5);
  badChecksum[7] ^= 1;
  for (const Bytes& report : {TakeReport(1, 300), TakeReport(1, 256), wrongLength, badChecksum})
    ProcessTake(t.panel, report);
  t.panel.State.CrosspointMap.resize(10);  // shorter than OutputCount
  ProcessTake(t.panel, TakeReport(1, 20));
  for (const OutputRoute& r : t.panel.State.CrosspointMap) EXPECT_EQ(r.Source[0], 0);
}

TEST(SwitcherType, OnlyAWellFormedReportSetsTheType) {
  Server t;
  ProcessSwitcherType(t.panel, Framed(229, {2, 0, 0, 21, 10, 0, 0}));     // marker not 1
  ProcessSwitcherType(t.panel, Framed(229, {1, 0, 0, 21, 10, 0, 0, 0}));  // 11 bytes
  EXPECT_EQ(t.panel.State.SwitcherType, 0);
  ProcessSwitcherType(t.panel, Framed(229, {1, 0, 0, 21, 10, 0, 0}));
  EXPECT_EQ(t.panel.State.SwitcherType, 1301);
}

TEST(SalvoEvents, KeysAreReadPastTheEvents) {
  Server t;
  SwitcherState& s = t.panel.State;
  Bytes body{0, 2, 0, 0, 0, /*key*/ 0, 0, /*events*/ 1, 0};
  body.insert(body.end(), 13, 99);
  body.insert(body.end(), {5, 0, 0, 0});
  ProcessSalvoEvents(t.panel, Framed(235, body));
  EXPECT_EQ(s.SalvoCount, 2);
  EXPECT_EQ(s.SalvoKey, (std::vector<int16_t>{0, 5}));
  EXPECT_EQ(s.InfoPending & kInfoSalvos, 0);

  ProcessSalvoEvents(t.panel, Framed(235, {0, 0, 0, 0, 0}));
  EXPECT_EQ(s.SalvoName, (std::vector<std::string>{"No Salvos"}));

  s.InfoPending = kInfoSalvos;  // more salvos counted than the message holds
  ProcessSalvoEvents(t.panel, Framed(235, {0, 100, 0, 0, 0, 7, 0, 0, 0}));
  EXPECT_EQ(s.SalvoKey.at(0), 7);
  EXPECT_EQ(s.InfoPending, kInfoSalvos);
}

TEST(Query, OnlyQuery100IsAnswered) {
  Server t;
  ProcessQuery(t.panel, Framed(129, {101}));
  ProcessQuery(t.panel, {129, 100, 99, 255});       // bad checksum
  ProcessQuery(t.panel, Framed(129, {100, 1, 2}));  // 6 bytes
  EXPECT_TRUE(t.socket.Written.empty());
  ProcessQuery(t.panel, Framed(129, {100}));
  ProcessQuery(t.panel, Framed(129, {100, 7}));
  EXPECT_EQ(t.socket.Written, (std::vector<Bytes>{{129, 3, 1, 4, 255}, {129, 3, 1, 4, 255}}));
}

TEST(ServerRequest, StoredPasswordIsSentElseTheOperatorIsAsked) {
  const Bytes request = Framed(242, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  Server stored;
  stored.panel.Settings.Password = u"abc";
  ProcessServerRequest(stored.panel, request);
  EXPECT_EQ(stored.socket.AllWritten, (Bytes{128, 0, 3, 97, 98, 99, 41, 255}));
  EXPECT_TRUE(stored.ui.Dialogs.empty());

  Server unfit;  // a stored password that cannot travel is not sent
  unfit.panel.Settings.Password = u"\u00e9t\u00e9";
  ProcessServerRequest(unfit.panel, request);
  EXPECT_TRUE(unfit.socket.Written.empty());

  Server empty;
  empty.panel.Settings.StayOnTop = kStayOnTopYes;
  ProcessServerRequest(empty.panel, Framed(242, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  ProcessServerRequest(empty.panel, Framed(242, {2, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(empty.ui.Events.empty());
  ProcessServerRequest(empty.panel, request);
  EXPECT_EQ(empty.ui.Events, (std::vector<std::string>{"stacking:-2", "dialog:4", "stacking:-1"}));
  EXPECT_TRUE(empty.socket.Written.empty());
}

TEST(SingleByte, PollIsAnsweredAndPollAnswersResetTheMisses) {
  Server t;
  ProcessSingleByte(t.panel, 245);
  EXPECT_EQ(t.socket.AllWritten, (Bytes{244}));
  for (uint8_t answer : {244, 241, 243}) {
    t.panel.State.PollMisses = 5;
    ProcessSingleByte(t.panel, answer);
    EXPECT_EQ(t.panel.State.PollMisses, answer == 243 ? 5 : 0);
  }
}

}  // namespace
}  // namespace dazi
