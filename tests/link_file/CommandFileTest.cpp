// The command file of a File Mode Take: name and bytes by the channels. How it is written over
// the start of an older one is the real file system's test.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "link_file/NetworkFiles.h"
#include "link_file/ServerDirectory.h"
#include "panel/TakeAndSalvo.h"

namespace dazi {
namespace {

using testing::Bytes;

TEST(CommandFile, LayoutFollowsTheChannels) {
  const std::vector<std::tuple<int, int, std::string, Bytes>> cases = {
      {5, 12, "xpt00001.wcf", {0x05, 0x0C}},
      {255, 255, "xpt00001.wcf", {0xFF, 0xFF}},
      {256, 0, "xpt00002.wcf", {0x00, 0x01, 0x00, 0x00}},
      {0, 300, "xpt00002.wcf", {0x00, 0x00, 0x2C, 0x01}},
  };
  for (const auto& [input, output, name, bytes] : cases) {
    testing::ServerDirectory server;
    ASSERT_TRUE(WriteCommandFile(server.panel, input, output));
    const Bytes* written = server.files.Content("/srv/zor/" + name);
    ASSERT_NE(written, nullptr) << name;
    EXPECT_EQ(*written, bytes) << input << " " << output;
  }
}

TEST(CommandFile, TakeWritesTheSelectedChannelsOrSaysOnceWhyNot) {
  testing::ServerDirectory server;
  ASSERT_TRUE(ReadNetworkFiles(server.panel));
  server.panel.View.cmdInSel.StepUp();  // position 1: input channel 0; output channel 1
  cmdTake_Click(server.panel);
  EXPECT_EQ(*server.files.Content("/srv/zor/xpt00001.wcf"), (Bytes{0, 1}));

  server.files.SetWritable("/srv/zor/", false);
  cmdTake_Click(server.panel);
  EXPECT_FALSE(WriteCommandFile(server.panel, -1, 3));
  ASSERT_EQ(server.ui.Messages.size(), 1u);
  const testing::RecordedMessage& m = server.ui.Messages[0];
  EXPECT_EQ(std::tie(m.Text, m.Title, m.Icon, m.Buttons),
            std::make_tuple("Error Writing Comamnd File!", "bCommand Error", MsgIcon::Critical,
                            MsgButtons::Ok));
  EXPECT_EQ(*server.files.Content("/srv/zor/xpt00001.wcf"), (Bytes{0, 1}));
  server.panel.Settings.ServerPath.clear();  // no server named: nothing to say
  cmdTake_Click(server.panel);
  EXPECT_EQ(server.ui.Messages.size(), 1u);
}

}  // namespace
}  // namespace dazi
