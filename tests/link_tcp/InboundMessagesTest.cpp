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
  Bytes badChecksum = TakeReport(1, 5);
  badChecksum[7] ^= 1;
  for (const Bytes& report :
       {TakeReport(1, 300), TakeReport(1, 256), badChecksum, Framed(254, {4, 8, 1, 0, 5, 0, 0})})
    ProcessTake(t.panel, report);
  t.panel.State.CrosspointMap.resize(10);  // shorter than OutputCount
  ProcessTake(t.panel, TakeReport(1, 20));
  for (const OutputRoute& r : t.panel.State.CrosspointMap) EXPECT_EQ(r.Source[0], 0);
}

TEST(SalvoEvents, KeysAreReadPastTheEventsAndACountBeyondTheMessageStops) {
  Server t;
  SwitcherState& s = t.panel.State;
  Bytes body{0, 2, 0, 0, 0, /*key*/ 0, 0, /*events*/ 1, 0};
  body.insert(body.end(), 13, 99);
  body.insert(body.end(), {5, 0, 0, 0});
  ProcessSalvoEvents(t.panel, Framed(235, body));
  EXPECT_EQ(s.SalvoKey, (std::vector<int16_t>{0, 5}));
  EXPECT_EQ(s.InfoPending & kInfoSalvos, 0);
  s.InfoPending = kInfoSalvos;
  ProcessSalvoEvents(t.panel, Framed(235, {0, 100, 0, 0, 0, 7, 0, 0, 0}));
  EXPECT_EQ(s.SalvoKey.at(0), 7);
  EXPECT_EQ(s.InfoPending, kInfoSalvos);
  ProcessSalvoEvents(t.panel, Framed(235, {0, 0, 0, 0, 0}));
  EXPECT_EQ(s.SalvoName, (std::vector<std::string>{"No Salvos"}));
}

TEST(ServerRequest, StoredPasswordIsSentElseTheOperatorIsAsked) {
  const Bytes request = Framed(242, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  Server stored, unfit, empty;
  stored.panel.Settings.Password = u"abc";
  unfit.panel.Settings.Password = u"\u00e9t\u00e9";  // cannot travel: not sent at all
  for (Server* s : {&stored, &unfit, &empty}) {
    ProcessServerRequest(s->panel, Framed(242, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));  // not for us
    ProcessServerRequest(s->panel, Framed(242, {2, 0, 0, 0, 0, 0, 0, 0, 0}));     // 12 bytes
    ProcessServerRequest(s->panel, request);
  }
  EXPECT_EQ(stored.socket.AllWritten, (Bytes{128, 0, 3, 97, 98, 99, 41, 255}));
  EXPECT_TRUE(stored.ui.Events.empty());
  EXPECT_TRUE(unfit.socket.Written.empty() && unfit.ui.Events.empty());
  EXPECT_TRUE(empty.socket.Written.empty());
  EXPECT_EQ(empty.ui.Events, (std::vector<std::string>{"stacking:-2", "dialog:4", "stacking:-1"}));
}

}  // namespace
}  // namespace dazi
