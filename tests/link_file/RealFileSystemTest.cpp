// The computer's own file system: names found whatever their case, stamps to the nanosecond,
// and a command file written over the start of an older one.
#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "link_file/NetworkFiles.h"
#include "model/FileSystem.h"
#include "settings/TempDir.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

using testing::Bytes;

TEST(RealFileSystem, ServerDirectoryInAnyCaseStampedToTheNanosecond) {
  testing::TempDir dir;
  const std::filesystem::path& d = dir.Path();
  testing::WriteBytes(d / "STATUS.NDF", Bytes({0}));
  testing::WriteBytes(d / "Status.ndf", Bytes({1}));  // the exact spelling wins
  testing::WriteBytes(d / "LAlpha.NDF", Bytes({7, 0, 1, 0}) + "CAM 1   " + Bytes({0, 0, 1, 0}) +
                                            "MON     " + Bytes({0, 0}));
  testing::WriteBytes(d / "LXPTMAP.ndf", Bytes({3, 1, 0, 1, 0, 0, 0}));
  testing::WriteBytes(d / "linhbt.NDF", Bytes({1, 0, 1, 0}) + "1");
  testing::WriteBytes(d / "Xpt00001.Wcf", Bytes({1, 2, 3, 4, 5}));
  testing::WriteBytes(d / "xpt00001.wcf", Bytes({9}));
  testing::WriteBytes(d / "XPT00002.WCF", Bytes({9}));
  testing::PanelFixture f;
  f.panel.Settings.ServerPath = d.string() + "/";
  ASSERT_TRUE(ReadNetworkFiles(f.panel));
  EXPECT_EQ(f.panel.View.txtInputDisp.Text, "CAM 1   ");
  EXPECT_EQ(f.panel.State.Inhibit().Get(0, 0), 1);

  ASSERT_TRUE(WriteCommandFile(f.panel, 7, 8));
  ASSERT_TRUE(WriteCommandFile(f.panel, 300, 1));
  EXPECT_EQ(testing::ReadBytes(d / "xpt00001.wcf"), Bytes({7, 8}));
  EXPECT_EQ(testing::ReadBytes(d / "Xpt00001.Wcf"), Bytes({1, 2, 3, 4, 5}));
  EXPECT_EQ(testing::ReadBytes(d / "XPT00002.WCF"), Bytes({44, 1, 1, 0}));
  EXPECT_FALSE(std::filesystem::exists(d / "xpt00002.wcf"));

  const std::string status = (d / "STATUS.NDF").string();
  const std::optional<std::string> before = RealFileSystem().Stamp(status);
  timespec times[2];
  for (long ns : {100L, 200L}) {
    times[0] = times[1] = {1700000000, ns};
    ASSERT_EQ(utimensat(AT_FDCWD, status.c_str(), times, 0), 0);
    EXPECT_NE(RealFileSystem().Stamp(status), before) << ns;
  }
  EXPECT_FALSE(RealFileSystem().Stamp((d / "status.ndf").string()));  // the exact path only
}

// A command file that is a link -- to a file of the operator's, or to nowhere -- is never written
// through: the Take fails, and no file anywhere is changed or made.
TEST(RealFileSystem, CommandFileThatIsALinkIsNotWrittenThrough) {
  testing::TempDir dir;
  const std::filesystem::path& d = dir.Path();
  testing::WriteBytes(d / "precious", Bytes({1, 2, 3}));
  testing::PanelFixture f;
  f.panel.Settings.ServerPath = d.string() + "/";
  std::filesystem::create_symlink(d / "precious", d / "xpt00001.wcf");
  std::filesystem::create_symlink(d / "nowhere", d / "xpt00002.wcf");
  EXPECT_FALSE(WriteCommandFile(f.panel, 7, 8));
  EXPECT_FALSE(WriteCommandFile(f.panel, 300, 8));
  EXPECT_EQ(testing::ReadBytes(d / "precious"), Bytes({1, 2, 3}));
  EXPECT_FALSE(std::filesystem::exists(d / "nowhere"));
}

}  // namespace
}  // namespace dazi
