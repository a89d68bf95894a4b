// The full load: every layout byte for byte, which variant wins, and each step's read errors.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "link_file/NetworkFiles.h"
#include "link_file/ServerDirectory.h"

namespace dazi {
namespace {

using testing::Bytes;
using testing::Int16;
using testing::Join;
using testing::ServerDirectory;
using testing::Text;
using Strings = std::vector<std::string>;
using Channels = std::vector<int16_t>;
using Displays = std::tuple<std::string, std::string, std::string>;

Displays Shown(const Panel& panel) {
  return {panel.View.txtOutputDisp.Text, panel.View.txtInputDisp.Text,
          panel.View.txtPresetDisp.Text};
}

TEST(FullLoad, ReadsTheCountedLayoutsAndShowsTheFirstDestination) {
  ServerDirectory server;
  ASSERT_TRUE(ReadNetworkFiles(server.panel));
  const SwitcherState& s = server.panel.State;
  EXPECT_EQ(s.SwitcherType, 7);
  EXPECT_EQ(s.Inputs().Alphas(),
            (Strings{"CAM 1   ", "CAM 2   ", "VTR     "}));  // file order, blanks kept
  EXPECT_EQ(s.Inputs().Channels(), (Channels{2, 0, 1}));
  EXPECT_EQ(s.Inputs().Positions(), (Channels{1, 2, 0}));
  EXPECT_EQ(s.Outputs().Alphas(), (Strings{"MON     ", "AIR     "}));
  EXPECT_EQ(s.Outputs().Channels(), (Channels{1, 0}));
  ASSERT_EQ(s.CrosspointMap().size(), 2u);
  EXPECT_EQ(std::tie(s.CrosspointMap()[0].Source[0], s.CrosspointMap()[0].EntryCount),
            std::make_tuple(int16_t{1}, uint8_t{1}));
  EXPECT_EQ(s.CrosspointMap()[1].Source[0], 2);  // no source: the last input
  EXPECT_EQ(s.CrosspointSerial, 5);
  EXPECT_EQ(std::make_tuple(s.Inhibit().Outputs(), s.Inhibit().Inputs()), std::make_tuple(3, 4));
  EXPECT_EQ(s.Inhibit().Get(0, 1) + s.Inhibit().Get(1, 2), 2);
  EXPECT_EQ(s.Inhibit().Get(0, 0) + s.Inhibit().Get(0, 2) + s.Inhibit().Get(1, 1), 0);
  EXPECT_EQ(Shown(server.panel), Displays("MON     ", "CAM 1   ", "CAM 1   "));
  EXPECT_EQ(server.panel.View.cmdInSel.Max(), 2);
  EXPECT_EQ(server.panel.View.cmdoutSel.Max(), 1);
  EXPECT_EQ(std::tie(server.panel.View.StatusPanel1, server.panel.View.StatusPanel2),
            std::make_tuple("Switcher Link (OK) ", " /srv/zor/"));
  EXPECT_TRUE(server.ui.Messages.empty());
}

// The counted layouts win while they are there, whatever the case of their names; the fixed
// layouts serve once no regular file stands under the counted names.
TEST(FullLoad, CountedLayoutsWinAndFixedOnesServeWhenTheyAreAbsent) {
  ServerDirectory server;
  server.Remove("Status.ndf");
  server.Put("STATUS.NDF", {1});
  Bytes alpha;
  for (int k = 0; k < 256; ++k) alpha = Join({alpha, Text(k == 1 ? "SECOND  " : "input   ")});
  for (int k = 0; k < 256; ++k) alpha.push_back(static_cast<uint8_t>(255 - k));
  for (int k = 0; k < 256; ++k) alpha = Join({alpha, Text("output  ")});
  for (int k = 0; k < 256; ++k) alpha.push_back(static_cast<uint8_t>(k));
  Bytes map(257, 9);
  map[256] = 254;  // output 255 fed from input 254
  Bytes inhibits(65536, '1');
  inhibits[255 * 256 + 3] = 1;  // the byte 1 inhibits here, the digit does not
  server.Put("Alpha.ndf", alpha);
  server.Put("Xptmap.ndf", map);
  server.Put("Inhbt.ndf", inhibits);
  ASSERT_TRUE(ReadNetworkFiles(server.panel));
  const SwitcherState& s = server.panel.State;
  EXPECT_EQ(std::make_tuple(s.InputCount(), s.CrosspointSerial, s.Inhibit().Outputs()),
            std::make_tuple(3, 5, 3));

  server.PutOther("lalpha.ndf");  // a folder or a dangling link
  server.PutOther("lxptmap.ndf");
  server.Remove("linhbt.ndf");
  ASSERT_TRUE(ReadNetworkFiles(server.panel));
  EXPECT_EQ(std::make_tuple(s.SwitcherType, s.InputCount(), s.OutputCount()),
            std::make_tuple(1201, 256, 256));
  EXPECT_EQ(std::tie(s.Inputs().Alphas()[1], s.Inputs().Channels()[1]),
            std::make_tuple("SECOND  ", 254));
  EXPECT_EQ(std::tie(s.CrosspointSerial, s.CrosspointMap()[255].Source[0]),
            std::make_tuple(9, 254));
  EXPECT_EQ(s.Inhibit().Get(255, 3) + s.Inhibit().Get(0, 0), 1);
}

TEST(FullLoad, InhibitDigitsLandOnTheirPairsAcrossWordBoundaries) {
  ServerDirectory server;
  Bytes rows = Join({Int16(3), Int16(70)});
  for (int pair = 0; pair < 3 * 70; ++pair) rows.push_back(pair % 5 == 0 ? '1' : '7');
  server.Put("linhbt.ndf", rows);
  ASSERT_TRUE(ReadNetworkFiles(server.panel));
  for (int pair = 0; pair < 3 * 70; ++pair) {
    EXPECT_EQ(server.panel.State.Inhibit().Get(pair / 70, pair % 70), pair % 5 == 0) << pair;
  }
}

TEST(FullLoad, OffSourceOfType1301EndsTheInputList) {
  for (const auto& [type, count, max] : {std::tuple(1301, 17, 16), std::tuple(7, 16, 15)}) {
    ServerDirectory server;
    server.Put("lalpha.ndf", testing::CountedAlphas(type, 16, 8));
    server.Put("lxptmap.ndf", Join({{0}, Int16(8), Bytes(16, 0)}));  // no sources
    ASSERT_TRUE(ReadNetworkFiles(server.panel));
    const SwitcherState& s = server.panel.State;
    EXPECT_EQ(std::make_tuple(s.InputCount(), server.panel.View.cmdInSel.Max()),
              std::make_tuple(count, max));
    EXPECT_EQ(s.Inputs().Alphas().back(), type == 1301 ? "- OFF -" : "IN 0015 ");
    if (type == 1301) {
      EXPECT_EQ(std::tie(s.Inputs().Channels()[16], s.Inputs().Positions()[16]),
                std::make_tuple(16, 16));
      EXPECT_EQ(server.panel.View.txtInputDisp.Text, "- OFF -");
    }
  }
}

TEST(FullLoad, StatusByteDecidesHowFarTheLoadGoesAndTcpIpModeReadsNothing) {
  ServerDirectory server;
  server.panel.Settings.LinkMode = TCPIPMode;
  EXPECT_TRUE(ReadNetworkFiles(server.panel));
  EXPECT_EQ(server.files.Count.Listings + server.files.Count.Stamps + server.files.Count.Opens, 0);
  server.panel.Settings.LinkMode = FileMode;
  server.Put("Status.ndf", {0});
  EXPECT_FALSE(ReadNetworkFiles(server.panel));
  EXPECT_EQ(server.panel.State.InputCount(), 256);  // nothing read
  EXPECT_EQ(std::tie(server.panel.View.StatusPanel1, server.panel.View.Caption),
            std::make_tuple("Switcher Link (NC) ", "ZOR Tolen DaziVedur - Not Connected"));
  server.Put("Status.ndf", {2});
  EXPECT_TRUE(ReadNetworkFiles(server.panel));
  EXPECT_EQ(server.panel.State.InputCount(), 3);
  EXPECT_EQ(server.panel.View.StatusPanel1, "Switcher Link (NC) ");  // not claimed as working
  EXPECT_TRUE(server.ui.Messages.empty());
}

// Files that do not hold what they promise, each ending its step with the step's message.
TEST(FullLoad, EachStepReportsItsOwnReadErrors) {
  const std::string status = "Error Reading Status Information File!";
  const std::string alpha = "Error Reading Alpha Information File!";
  const std::string map = "Error Reading Crosspoint Map Information File!";
  const std::string inhibit = "Error Reading Inhibit Information File!";
  const std::vector<std::tuple<std::string, Bytes, std::string>> cases = {
      {"Status.ndf", {}, status},
      {"lalpha.ndf", Join({Int16(7), Int16(3), Text("CAM 1   ")}), alpha},  // short alpha block
      {"lalpha.ndf", Join({Int16(7), Int16(-1), Int16(0)}), alpha},         // negative count
      {"lalpha.ndf", Join({Int16(7), Int16(0), Int16(1), Text("MON")}), alpha},
      // cut inside the input channel numbers, with as many bytes after the names as they take
      {"lalpha.ndf", Join({Int16(7), Int16(2), Text("CAM 1   CAM 2   "), Int16(0)}), alpha},
      {"lxptmap.ndf", Join({{1}, Int16(1), Int16(65), Bytes(130, 0)}), map},  // n = 65
      {"lxptmap.ndf", Join({{1}, Int16(3), Int16(0)}), map},  // fewer records than K
      {"Xptmap.ndf", Bytes(257, 0), map},                     // 2 outputs cannot take 256
      {"linhbt.ndf", Join({Int16(2), Int16(3), Text("01000")}), inhibit},
      {"linhbt.ndf", Join({Int16(-2), Int16(3)}), inhibit},
  };
  for (const auto& [name, bytes, message] : cases) {
    ServerDirectory server;
    if (name == "Xptmap.ndf") server.Remove("lxptmap.ndf");
    server.Put(name, bytes);
    EXPECT_FALSE(ReadNetworkFiles(server.panel)) << name;
    ASSERT_EQ(server.MessageTexts(), std::vector<std::string>{message}) << name;
    EXPECT_EQ(std::tie(server.ui.Messages[0].Title, server.ui.Messages[0].Icon),
              std::make_tuple("Error Reading File", MsgIcon::Critical));
  }
  ServerDirectory missing;
  missing.Remove("Status.ndf");
  EXPECT_FALSE(ReadNetworkFiles(missing.panel));
  EXPECT_EQ(missing.MessageTexts(), std::vector<std::string>{status});
  EXPECT_EQ(missing.files.Content("/srv/zor/Status.ndf"), nullptr);
}

}  // namespace
}  // namespace dazi
