// The computer's own file system: names found whatever their case, stamps to the nanosecond,
// and a command file written over the start of an older one.
#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "link_file/FileSystem.h"
#include "link_file/NetworkFiles.h"
#include "settings/TempDir.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

using testing::Bytes;

TEST(RealFileSystem, ServerDirectoryInAnyCaseStampedToTheNanosecond) {
  testing::TempDir dir;
  const std::filesystem::path& d = dir.Path();
  testing::WriteBytes(d / "STATUS.NDF", Bytes({1}));
  testing::WriteBytes(d / "LAlpha.NDF", Bytes({7, 0, 1, 0}) + "CAM 1   " + Bytes({0, 0, 1, 0}) +
                                            "MON     " + Bytes({0, 0}));
  testing::WriteBytes(d / "LXPTMAP.ndf", Bytes({3, 1, 0, 1, 0, 0, 0}));
  testing::WriteBytes(d / "linhbt.NDF", Bytes({1, 0, 1, 0}) + "1");
  testing::WriteBytes(d / "Xpt00001.Wcf", Bytes({1, 2, 3, 4, 5}));
  testing::PanelFixture f;
  f.panel.Settings.ServerPath = d.string() + "/";
  ASSERT_TRUE(ReadNetworkFiles(f.panel));
  EXPECT_EQ(f.panel.View.txtInputDisp.Text, "CAM 1   ");
  EXPECT_EQ(f.panel.State.Inhibit.Get(0, 0), 1);

  ASSERT_TRUE(WriteCommandFile(f.panel, 7, 8));
  EXPECT_EQ(testing::ReadBytes(d / "Xpt00001.Wcf"), Bytes({7, 8, 3, 4, 5}));
  EXPECT_FALSE(std::filesystem::exists(d / "xpt00001.wcf"));

  const std::string status = (d / "STATUS.NDF").string();
  const std::optional<std::string> before = RealFileSystem().Stamp(status);
  timespec times[2];
  for (long ns : {100L, 200L}) {
    times[0] = times[1] = {1700000000, ns};
    ASSERT_EQ(utimensat(AT_FDCWD, status.c_str(), times, 0), 0);
    EXPECT_NE(RealFileSystem().Stamp(status), before) << ns;
  }
  EXPECT_FALSE(RealFileSystem().Stamp((d / "Status.ndf").string()));  // the exact path only
}

}  // namespace
}  // namespace dazi
