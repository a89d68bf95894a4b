// The refresh tick: what an idle tick costs, what a change re-reads, and how an outage is told.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "link_file/NetworkFiles.h"
#include "link_file/ServerDirectory.h"
#include "panel/MainForm.h"
#include "panel/TakeAndSalvo.h"

namespace dazi {
namespace {

using testing::Bytes;
using testing::Int16;
using testing::Join;
using testing::Text;

const std::string kOutage =
    "Error Reading ZOR Server Network Data Files!\r\rPlease verify the ZOR Server Software is "
    "running and that the network connection\rto that computer is functional. Until the Server "
    "connection is reestablished this\rsoftware control panel will not function.";

struct Loaded : testing::ServerDirectory {
  Loaded() {
    EXPECT_TRUE(ReadNetworkFiles(panel));
    files.Count = {};
  }
  void Tick(int times = 1) {
    for (int k = 0; k < times; ++k) tmrFileCheck_Timer(panel);
  }
  std::tuple<std::string, std::string, std::string> Link() const {
    return {panel.View.Caption, panel.View.StatusPanel1, panel.View.StatusPanel2};
  }
};

// An idle tick looks up three stamps and reads the map's first byte. The map is read again only
// when that byte changes, and a file read again is not read once more on the next tick.
TEST(FileRefresh, IdleTickLooksUpThreeStampsAndReadsOneByteAndAChangeIsReadOnce) {
  Loaded server;
  const MemoryFileSystem::Calls& n = server.files.Count;
  const auto idle = std::make_tuple(3, 1, uint64_t{1}, 0, 0);
  server.Tick();
  EXPECT_EQ(std::make_tuple(n.Stamps, n.Opens, n.BytesRead, n.Listings, n.Writes), idle);

  server.panel.View.cmdoutSel.StepUp();  // output channel 0, fed from input channel 1
  server.Put("Status.ndf", {1});         // written again, unchanged
  for (const auto& [serial, shown] : {std::pair(5, "VTR     "), std::pair(6, "CAM 2   ")}) {
    server.Put("lxptmap.ndf", Join({{uint8_t(serial)}, Int16(2), Int16(1), Int16(0), Int16(0)}));
    server.Tick();
    EXPECT_EQ(server.panel.View.txtInputDisp.Text, shown);
  }
  server.files.Count = {};
  server.Tick();
  EXPECT_EQ(std::make_tuple(n.Stamps, n.Opens, n.BytesRead, n.Listings, n.Writes), idle);
}

// The operator sees only the outage message; the link log says which file failed, once for a
// trouble that lasts.
TEST(FileRefresh, TheLinkLogIsToldEachNewTroubleOnce) {
  Loaded server;
  testing::RecordingLog log;
  server.panel.Log = &log;
  server.Remove("Status.ndf");
  server.Tick(3);
  server.Put("Status.ndf", {1});
  server.Put("lalpha.ndf", {7, 0, 3});
  server.Tick(2);
  EXPECT_EQ(log.Lines, (std::vector<std::string>{
                           "refresh tick: Status.ndf could not be found",
                           "refresh tick: lalpha.ndf: unreadable, or not in its layout"}));
}

TEST(FileRefresh, FewerChannelsResizeTheTablesAndKeepTheSelectionInside) {
  Loaded server;
  server.panel.View.cmdoutSel.StepUp();
  server.panel.View.cmdInSel.StepUp();
  const SwitcherState& s = server.panel.State;
  ASSERT_EQ(std::make_tuple(s.SelectedInput, s.SelectedOutput), std::make_tuple(1, 1));
  server.Put("lalpha.ndf", testing::CountedAlphas(1301, 0, 1));
  server.Put("lxptmap.ndf", Join({{5}, Int16(1), Int16(0)}));  // same first byte
  server.Remove("linhbt.ndf");
  server.Put("Inhbt.ndf", Bytes(65536, 1));  // 256 x 256 pairs into the smaller map
  server.Tick();
  EXPECT_EQ(std::make_tuple(s.InputCount(), s.OutputCount(), s.SelectedInput, s.SelectedOutput),
            std::make_tuple(1, 1, 0, 0));
  EXPECT_EQ(std::make_tuple(server.panel.View.cmdInSel.Max(), server.panel.View.cmdoutSel.Max()),
            std::make_tuple(0, 0));
  EXPECT_EQ(s.Inputs().Alphas(), std::vector<std::string>{"- OFF -"});
  EXPECT_EQ(s.CrosspointMap().size(), 1u);
  EXPECT_EQ(std::make_tuple(s.Inhibit().Outputs(), s.Inhibit().Inputs(), s.Inhibit().Get(1, 1)),
            std::make_tuple(2, 2, 1));
  server.Tick();  // the map is read again for the new table, whatever its first byte
  EXPECT_EQ(server.panel.View.txtInputDisp.Text, "- OFF -");
}

TEST(FileRefresh, InhibitFileFailingAfterNewNamesEndsTheTickQuietly) {
  Loaded server;
  server.panel.Settings.FileMissLimit = 0;
  server.Put("lalpha.ndf", testing::CountedAlphas(7, 3, 2));
  server.Put("linhbt.ndf", Join({Int16(2), Int16(3), Text("01")}));
  server.Tick();
  EXPECT_EQ(std::make_tuple(server.panel.State.FileFailTicks, server.panel.State.FileLinkDown),
            std::make_tuple(0, false));
  server.Tick();  // names unchanged now: the same file takes the failure path
  EXPECT_EQ(server.MessageTexts(), std::vector<std::string>{kOutage});
}

TEST(FileRefresh, OutageIsToldOncePerOutageAlsoWhileItsMessageIsOpen) {
  Loaded server;
  server.panel.Settings.FileMissLimit = 3;
  bool nested = false;
  server.ui.DuringMessage = [&] {  // the timer ticks on under the modal box, through a recovery
    if (std::exchange(nested, true)) return;
    server.Put("Status.ndf", {1});
    server.Tick();
    server.Remove("Status.ndf");
    server.Tick(4);
  };
  server.Remove("Status.ndf");
  server.Tick(3);
  EXPECT_TRUE(server.ui.Messages.empty());
  EXPECT_EQ(server.Link(), std::make_tuple("ZOR Tolen DaziVedur - Connected", "Switcher Link (OK) ",
                                           " /srv/zor/"));
  server.Tick();
  ASSERT_EQ(server.MessageTexts(), std::vector<std::string>{kOutage});
  EXPECT_EQ(std::tie(server.ui.Messages[0].Title, server.ui.Messages[0].Icon),
            std::make_tuple("Error Reading Network Files", MsgIcon::Critical));
  EXPECT_EQ(server.Link(), std::make_tuple("ZOR Tolen DaziVedur - Not Connected",
                                           "Switcher Link (NC) ", "No Server Detected "));
  server.Tick(20);
  EXPECT_EQ(server.ui.Messages.size(), 1u);
  EXPECT_EQ(server.panel.View.SelectorEpoch, 2);  // each outage closes a find list still open

  server.Put("Status.ndf", {1});
  server.Tick();
  EXPECT_EQ(server.Link(),
            std::make_tuple("ZOR Tolen DaziVedur - Connected", "Switcher Link (OK)", "/srv/zor/"));
  server.Remove("Status.ndf");
  server.Tick(4);
  EXPECT_EQ(server.ui.Messages.size(), 2u);
  EXPECT_FALSE(server.panel.State.OutageMessageOpen);
}

TEST(FileRefresh, StatusByteZeroShowsTheLinkDownAndReadsNoMap) {
  Loaded server;
  server.Put("Status.ndf", {0});
  server.Put("lxptmap.ndf", Join({{9}, Int16(0)}));
  server.Tick();
  EXPECT_EQ(server.Link(), std::make_tuple("ZOR Tolen DaziVedur - Not Connected",
                                           "Switcher Link (NC) ", "No Server Detected "));
  EXPECT_EQ(server.panel.State.CrosspointSerial, 5);
  EXPECT_TRUE(server.ui.Messages.empty());
  EXPECT_EQ(server.panel.View.SelectorEpoch, 1);
}

// A file that cannot be read whole -- cut short while it streams, or locked by the server -- is a
// failed tick that leaves the map as it was, and is read on a later tick even when its stamp has
// not changed since.
TEST(FileRefresh, InhibitFileIsAppliedWholeOrNotAtAllAndReadAgainLater) {
  Loaded server;
  server.files.ChunkSize = 2;
  int touches = 0;  // the stamp, the opening, then between the chunks
  server.files.Meddle = [&](const std::string& path) {
    if (path == "/srv/zor/linhbt.ndf" && ++touches == 5)  // after the first two pairs
      server.Put("linhbt.ndf", Join({Int16(2), Int16(3), Text("10")}));
  };
  server.Put("linhbt.ndf", Join({Int16(2), Int16(3), Text("100000")}));
  server.Tick();
  const InhibitMap& map = server.panel.State.Inhibit();
  EXPECT_EQ(std::make_tuple(map.Get(0, 0), map.Get(0, 1)), std::make_tuple(0, 1));  // as before
  server.files.Locked.insert("/srv/zor/linhbt.ndf");
  server.Put("linhbt.ndf", Join({Int16(2), Int16(3), Text("100000")}));
  server.Tick();
  EXPECT_EQ(server.panel.State.FileFailTicks, 2);
  server.files.Locked.clear();
  server.Tick();
  EXPECT_EQ(std::make_tuple(map.Get(0, 0), map.Get(0, 1)), std::make_tuple(1, 0));
}

// Names for no source or no destination: nothing the model no longer holds stays on the screen,
// and nothing can be taken until names come back.
TEST(FileRefresh, NamesForNoDestinationShowNoSystemUntilNamesReturn) {
  Loaded server;
  server.Put("lalpha.ndf", testing::CountedAlphas(7, 3, 0));
  server.Tick();
  const MainView& view = server.panel.View;
  EXPECT_EQ(
      std::make_tuple(view.txtOutputDisp.Text, view.txtInputDisp.Text, view.txtPresetDisp.Text),
      std::make_tuple("NoSystem", "NoSystem", "NoSystem"));
  cmdTake_Click(server.panel);
  EXPECT_EQ(server.files.Count.Writes, 0);
  server.Put("lalpha.ndf", testing::CountedAlphas(7, 3, 2));
  server.Tick();
  EXPECT_EQ(std::make_tuple(view.txtOutputDisp.Text, view.txtPresetDisp.Text),
            std::make_tuple("OUT0000 ", "IN 0000 "));
}

// The share answers while the outage message is open and fails again right after it is closed:
// that is a new outage, told again over the window that says so.
TEST(FileRefresh, AnOutageAfterARecoveryUnderTheOpenMessageIsToldAgain) {
  Loaded server;
  server.panel.Settings.FileMissLimit = 2;
  std::vector<std::string> captions;
  server.ui.DuringMessage = [&] {
    captions.push_back(server.panel.View.Caption);
    if (captions.size() > 1) return;
    server.Put("Status.ndf", {1});
    server.Tick();
  };
  server.Remove("Status.ndf");
  server.Tick(3);
  server.Remove("Status.ndf");
  server.Tick(3);
  EXPECT_EQ(captions, std::vector<std::string>(2, "ZOR Tolen DaziVedur - Not Connected"));
}

}  // namespace
}  // namespace dazi
