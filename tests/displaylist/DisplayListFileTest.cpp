#include "displaylist/DisplayListFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "settings/TempDir.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::ReadBytes;
using testing::WriteBytes;

const std::string kSmallFile = Bytes({0x01, 0x00, 0x04, 0x00, 0x31, 0x31, 0x30, 0x31,  //
                                      0x02, 0x00, 0x30, 0x31});

class DisplayListFileTest : public ::testing::Test {
 protected:
  DisplayListFileTest() {
    f.panel.State.AppPath = dir.Path();
    Lists("before-in", "before-out");
  }

  void Lists(const std::string& inputs, const std::string& outputs) {
    f.panel.Settings.InputDisplayList = inputs;
    f.panel.Settings.OutputDisplayList = outputs;
  }
  std::pair<std::string, std::string> Lists() const {
    return {f.panel.Settings.InputDisplayList, f.panel.Settings.OutputDisplayList};
  }
  fs::path FilePath() const { return dir.Path() / kDisplayListFileName; }

  testing::TempDir dir;
  testing::PanelFixture f;
};

TEST_F(DisplayListFileTest, SavesOverTheStartOfTheFileAndLoadsItBack) {
  WriteBytes(FilePath(), std::string(40, 'x'));
  fs::permissions(FilePath(), fs::perms::owner_read | fs::perms::group_read);
  Lists("1101", "01");
  SaveDisplayList(f.panel);
  // A read-only file is written and made writable; its longer tail stays.
  EXPECT_EQ(ReadBytes(FilePath()), kSmallFile + std::string(28, 'x'));
  EXPECT_NE(fs::status(FilePath()).permissions() & fs::perms::owner_write, fs::perms::none);

  Lists("", "");
  LoadDisplayList(f.panel);
  EXPECT_EQ(Lists(), std::make_pair(std::string("1101"), std::string("01")));
}

TEST_F(DisplayListFileTest, IgnoresTheFormatNumber) {
  WriteBytes(FilePath(), Bytes({0x07, 0x00, 0x01, 0x00, '0', 0x00, 0x00}));
  LoadDisplayList(f.panel);
  EXPECT_EQ(Lists(), std::make_pair(std::string("0"), std::string()));
}

TEST_F(DisplayListFileTest, MissingOrDamagedFileKeepsBothLists) {
  LoadDisplayList(f.panel);
  EXPECT_EQ(Lists(), std::make_pair(std::string("before-in"), std::string("before-out")));

  const std::string header = Bytes({0x01, 0x00, 0x04, 0x00}) + "1101";
  const std::string damaged[] = {
      "",
      Bytes({0x01}),
      Bytes({0x01, 0x00, 0x04}),
      Bytes({0x01, 0x00, 0x04, 0x00}) + "110",  // first text cut short
      Bytes({0x01, 0x00, 0xFF, 0xFF}) + "1",    // negative first length
      header,                                   // second length missing
      header + Bytes({0x02}),                   // second length cut short
      header + Bytes({0x03, 0x00}) + "01",      // second text cut short
      header + Bytes({0x00, 0x80}) + "01",      // negative second length
  };
  for (const auto& bytes : damaged) {
    SCOPED_TRACE(::testing::PrintToString(bytes));
    WriteBytes(FilePath(), bytes);
    LoadDisplayList(f.panel);
    EXPECT_EQ(Lists(), std::make_pair(std::string("before-in"), std::string("before-out")));
  }
}

TEST_F(DisplayListFileTest, CutsListsTooLongForTheLengthField) {
  Lists(std::string(40000, '1'), "1");
  SaveDisplayList(f.panel);
  const std::string bytes = ReadBytes(FilePath());
  ASSERT_EQ(bytes.size(), 2u + 2u + 32767u + 2u + 1u);
  EXPECT_EQ(bytes.substr(2, 2), Bytes({0xFF, 0x7F}));
  LoadDisplayList(f.panel);
  EXPECT_EQ(Lists(), std::make_pair(std::string(32767, '1'), std::string("1")));
}

}  // namespace
}  // namespace dazi
