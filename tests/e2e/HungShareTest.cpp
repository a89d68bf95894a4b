// File Mode on a share whose server hangs, in the real window with its worker: the window goes
// on, the outage comes on time over the window as it stands, a Take gives up after its bound and
// never writes twice, and Exit does not wait for the share.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <memory>

#include "e2e/LiveWindow.h"
#include "link_file/MemoryFileSystem.h"
#include "link_file/ServerDirectory.h"
#include "panel/TakeAndSalvo.h"
#include "support/BlockingFileSystem.h"
#include "support/SettingsFile.h"

namespace dazi::testing {
namespace {

constexpr const char* kServer = "/srv/zor/";
constexpr const char* kCommandFile = "/srv/zor/xpt00001.wcf";
const std::string kWriteError = "Error Writing Comamnd File!";

// The small server's files, copied onto the share.
void PutSmallServer(MemoryFileSystem& server) {
  ServerDirectory files;
  for (const char* name : {"Status.ndf", "lalpha.ndf", "lxptmap.ndf", "linhbt.ndf"})
    server.Put(std::string(kServer) + name, *files.files.Content(std::string(kServer) + name));
}

TEST(HungShare, TheWindowGoesOnTheOutageComesOnTimeATakeGivesUpAndNothingRunsTwice) {
  // The worker may still be inside the share when the window has gone: the share outlives it.
  static MemoryFileSystem server;
  static BlockingFileSystem share(server);
  PutSmallServer(server);

  auto window = std::make_unique<LiveWindow>();
  LiveWindow& live = *window;
  std::vector<std::string> captions;  // what the window showed when each box opened
  live.ui.AnswerMessageBox = [&](const std::string& text, const std::string&, MsgIcon, MsgButtons) {
    live.messages.push_back(text);
    captions.push_back(live.window.windowTitle().toStdString() + " | " +
                       live.window.findChild<QLabel*>("Panel1")->text().toStdString());
    return MsgResult::Ok;
  };
  live.panel.Files = &share;
  live.Start(SettingsText(false, "", 0, 30, kServer, false));
  live.panel.Settings.FileTimeOut = 1;  // a Take waits a second
  live.panel.Settings.FileMissLimit = 10;
  ASSERT_TRUE(live.WaitFor([&] { return live.panel.View.StatusPanel1 == "Switcher Link (OK)"; }));

  share.Stop();
  ASSERT_TRUE(live.WaitFor([&] { return !live.messages.empty(); }));
  EXPECT_TRUE(live.messages[0].starts_with("Error Reading ZOR Server Network Data Files!"));
  EXPECT_EQ(captions[0], "ZOR Tolen DaziVedur - Not Connected | Switcher Link (NC) ");
  EXPECT_EQ(share.Waiting(), 1);  // one tick inside the share, none queued behind it

  live.window.dispatch("cmdTake_Click", [&] { cmdTake_Click(live.panel); });
  EXPECT_EQ(live.messages.back(), kWriteError);
  share.Go();
  ASSERT_TRUE(live.WaitFor([&] { return live.panel.View.StatusPanel1 == "Switcher Link (OK)"; }));
  live.WaitFor([] { return false; }, 300);
  EXPECT_EQ(server.Content(kCommandFile), nullptr);  // given up before the share had it

  // A write the share takes and holds: the Take gives up, the next one does not queue behind it,
  // and the first lands once when the share answers.
  share.Stop([](const std::string& path) { return path == kCommandFile; });
  live.window.dispatch("cmdTake_Click", [&] { cmdTake_Click(live.panel); });
  live.window.dispatch("cmdTake_Click", [&] { cmdTake_Click(live.panel); });
  EXPECT_EQ(live.messages.size(), 4u);
  EXPECT_EQ(live.messages.back(), kWriteError);
  EXPECT_EQ(share.Waiting(), 1);
  share.Go();
  ASSERT_TRUE(live.WaitFor([&] { return !live.panel.FileLink.WriteStuck; }));
  EXPECT_EQ(server.Count.Writes, 1);
  EXPECT_EQ(*server.Content(kCommandFile), (Bytes{2, 1}));

  // Exit, and the program's end, while the share hangs: nothing waits for the worker.
  share.Stop();
  ASSERT_TRUE(live.WaitFor([&] { return share.Waiting() == 1; }));
  live.Trigger("mnuExit");
  EXPECT_FALSE(live.window.isVisible());
  window.reset();
  share.Go();
}

// The outage message, opened by a tick that found the share still hanging, waits for the
// operator's OK; the link timer goes on under it, so the panel sees the share answer again and
// hang again while the box is open.
TEST(HungShare, TheLinkTimerGoesOnUnderTheOutageMessageItsTickOpened) {
  static MemoryFileSystem server;
  static BlockingFileSystem share(server);
  PutSmallServer(server);
  auto window = std::make_unique<LiveWindow>();
  LiveWindow& live = *window;
  live.ui.AnswerMessageBox = nullptr;  // the real box
  live.panel.Files = &share;
  live.Start(SettingsText(false, "", 0, 30, kServer, false));
  live.panel.Settings.FileMissLimit = 10;
  ASSERT_TRUE(live.WaitFor([&] { return live.panel.View.StatusPanel1 == "Switcher Link (OK)"; }));

  std::vector<std::string> captions;  // under the box: opened, share answering, hanging again
  QElapsedTimer underTheBox;
  QTimer operatorWatch;
  QObject::connect(&operatorWatch, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    const std::string caption = live.window.windowTitle().toStdString();
    if (captions.empty()) underTheBox.start();
    if (captions.empty() || (caption != captions.back() && captions.size() < 3)) {
      captions.push_back(caption);
      captions.size() == 2 ? share.Stop() : share.Go();
    }
    if (captions.size() == 3 || underTheBox.elapsed() > 5000) box->accept();
  });
  operatorWatch.start(20);
  share.Stop();
  live.WaitFor([&] { return !captions.empty() && !QApplication::activeModalWidget(); }, 15000);
  EXPECT_EQ(captions, (std::vector<std::string>{"ZOR Tolen DaziVedur - Not Connected",
                                                "ZOR Tolen DaziVedur - Connected",
                                                "ZOR Tolen DaziVedur - Not Connected"}));
  share.Go();
}

}  // namespace
}  // namespace dazi::testing
