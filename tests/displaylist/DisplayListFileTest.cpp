#include "displaylist/DisplayListFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "settings/TempDir.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::ReadBytes;
using testing::WriteBytes;
using Lists = std::pair<std::string, std::string>;

const std::string kSmallFile = Bytes({0x01, 0x00, 0x04, 0x00, 0x31, 0x31, 0x30, 0x31,  //
                                      0x02, 0x00, 0x30, 0x31});
const Lists kBefore{"before-in", "before-out"};

class DisplayListFileTest : public ::testing::Test {
 protected:
  DisplayListFileTest() { f.panel.State.AppPath = dir.Path(); }

  void Set(const Lists& lists) {
    f.panel.Settings.InputDisplayList = lists.first;
    f.panel.Settings.OutputDisplayList = lists.second;
  }
  Lists Loaded() {
    Set(kBefore);
    LoadDisplayList(f.panel);
    return {f.panel.Settings.InputDisplayList, f.panel.Settings.OutputDisplayList};
  }
  fs::path FilePath() const { return dir.Path() / kDisplayListFileName; }

  testing::TempDir dir;
  testing::PanelFixture f;
};

TEST_F(DisplayListFileTest, SavesOverTheStartOfAReadOnlyFileWithoutShorteningIt) {
  WriteBytes(FilePath(), std::string(40, 'x'));
  fs::permissions(FilePath(), fs::perms::owner_read | fs::perms::group_read);
  Set({"1101", "01"});
  SaveDisplayList(f.panel);
  EXPECT_EQ(ReadBytes(FilePath()), kSmallFile + std::string(28, 'x'));
  EXPECT_NE(fs::status(FilePath()).permissions() & fs::perms::owner_write, fs::perms::none);
}

// Both lists or neither: whatever the format number and whatever follows them, but nothing from
// a missing or damaged file.
TEST_F(DisplayListFileTest, LoadsBothListsOrKeepsBoth) {
  EXPECT_EQ(Loaded(), kBefore);
  const std::string header = Bytes({0x01, 0x00, 0x04, 0x00}) + "1101";
  const std::pair<std::string, Lists> files[] = {
      {kSmallFile + std::string(28, 'x'), {"1101", "01"}},
      {Bytes({0x07, 0x00, 0x01, 0x00, '0', 0x00, 0x00}), {"0", ""}},
      {"", kBefore},
      {Bytes({0x01}), kBefore},
      {Bytes({0x01, 0x00, 0x04}), kBefore},
      {Bytes({0x01, 0x00, 0x04, 0x00}) + "110", kBefore},  // first text cut short
      {Bytes({0x01, 0x00, 0xFF, 0xFF}) + "1", kBefore},    // negative first length
      {header, kBefore},                                   // second length missing
      {header + Bytes({0x02}), kBefore},                   // second length cut short
      {header + Bytes({0x03, 0x00}) + "01", kBefore},      // second text cut short
      {header + Bytes({0x00, 0x80}) + "01", kBefore},      // negative second length
  };
  for (const auto& [bytes, lists] : files) {
    SCOPED_TRACE(::testing::PrintToString(bytes));
    WriteBytes(FilePath(), bytes);
    EXPECT_EQ(Loaded(), lists);
  }
}

TEST_F(DisplayListFileTest, CutsListsTooLongForTheLengthField) {
  Set({std::string(40000, '1'), "1"});
  SaveDisplayList(f.panel);
  const std::string bytes = ReadBytes(FilePath());
  ASSERT_EQ(bytes.size(), 2u + 2u + 32767u + 2u + 1u);
  EXPECT_EQ(bytes.substr(2, 2), Bytes({0xFF, 0x7F}));
  EXPECT_EQ(Loaded(), Lists(std::string(32767, '1'), "1"));
}

}  // namespace
}  // namespace dazi
