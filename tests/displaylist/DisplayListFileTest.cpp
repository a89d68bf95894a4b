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

class DisplayListFileTest : public ::testing::Test {
 protected:
  DisplayListFileTest() {
    fixture.panel.State.AppPath = dir.Path();
    Lists("before-in", "before-out");
  }

  void Lists(const std::string& inputs, const std::string& outputs) {
    fixture.panel.Settings.InputDisplayList = inputs;
    fixture.panel.Settings.OutputDisplayList = outputs;
  }
  const std::string& Inputs() const { return fixture.panel.Settings.InputDisplayList; }
  const std::string& Outputs() const { return fixture.panel.Settings.OutputDisplayList; }
  fs::path FilePath() const { return dir.Path() / kDisplayListFileName; }

  testing::TempDir dir;
  testing::PanelFixture fixture;
};

const std::string kSmallFile =
    Bytes({0x01, 0x00, 0x04, 0x00, 0x31, 0x31, 0x30, 0x31, 0x02, 0x00, 0x30, 0x31});

TEST_F(DisplayListFileTest, SavesTheDocumentedBytes) {
  Lists("1101", "01");
  SaveDisplayList(fixture.panel);
  EXPECT_EQ(ReadBytes(FilePath()), kSmallFile);

  Lists("", "");
  LoadDisplayList(fixture.panel);
  EXPECT_EQ(Inputs(), "1101");
  EXPECT_EQ(Outputs(), "01");
}

TEST_F(DisplayListFileTest, SavingOverALongerFileKeepsItsTail) {
  Lists(std::string(256, '1'), std::string(256, '0'));
  SaveDisplayList(fixture.panel);
  const std::string before = ReadBytes(FilePath());
  ASSERT_EQ(before.size(), 518u);

  Lists("1101", "01");
  SaveDisplayList(fixture.panel);
  const std::string after = ReadBytes(FilePath());
  EXPECT_EQ(after.size(), before.size());
  EXPECT_EQ(after.substr(0, 12), kSmallFile);
  EXPECT_EQ(after.substr(12), before.substr(12));

  Lists("", "");
  LoadDisplayList(fixture.panel);
  EXPECT_EQ(Inputs(), "1101");
  EXPECT_EQ(Outputs(), "01");
}

TEST_F(DisplayListFileTest, ReadOnlyFileIsOverwrittenAndMadeWritable) {
  WriteBytes(FilePath(), std::string(40, 'x'));
  fs::permissions(FilePath(), fs::perms::owner_read | fs::perms::group_read);
  Lists("1101", "01");
  SaveDisplayList(fixture.panel);
  EXPECT_EQ(ReadBytes(FilePath()).substr(0, 12), kSmallFile);
  EXPECT_NE(fs::status(FilePath()).permissions() & fs::perms::owner_write, fs::perms::none);
}

TEST_F(DisplayListFileTest, IgnoresTheFormatNumber) {
  WriteBytes(FilePath(), Bytes({0x07, 0x00, 0x01, 0x00}) + "0" + Bytes({0x00, 0x00}));
  LoadDisplayList(fixture.panel);
  EXPECT_EQ(Inputs(), "0");
  EXPECT_EQ(Outputs(), "");
}

TEST_F(DisplayListFileTest, MissingFileChangesNothing) {
  LoadDisplayList(fixture.panel);
  EXPECT_EQ(Inputs(), "before-in");
  EXPECT_EQ(Outputs(), "before-out");
}

TEST_F(DisplayListFileTest, DamagedFileKeepsBothLists) {
  const std::string damaged[] = {
      "",
      Bytes({0x01}),
      Bytes({0x01, 0x00}),
      Bytes({0x01, 0x00, 0x04}),
      Bytes({0x01, 0x00, 0x04, 0x00}) + "110",                   // first text cut short
      Bytes({0x01, 0x00, 0xFF, 0xFF}) + "1",                     // negative first length
      Bytes({0x01, 0x00, 0x04, 0x00}) + "1101",                  // second length missing
      Bytes({0x01, 0x00, 0x04, 0x00}) + "1101" + Bytes({0x02}),  // second length cut short
      Bytes({0x01, 0x00, 0x04, 0x00}) + "1101" + Bytes({0x03, 0x00}) + "01",  // text cut short
      Bytes({0x01, 0x00, 0x04, 0x00}) + "1101" + Bytes({0x00, 0x80}) + "01",  // negative length
  };
  for (const auto& bytes : damaged) {
    SCOPED_TRACE(::testing::PrintToString(bytes));
    WriteBytes(FilePath(), bytes);
    LoadDisplayList(fixture.panel);
    EXPECT_EQ(Inputs(), "before-in");
    EXPECT_EQ(Outputs(), "before-out");
  }
}

TEST_F(DisplayListFileTest, CutsListsTooLongForTheLengthField) {
  Lists(std::string(40000, '1'), "1");
  SaveDisplayList(fixture.panel);
  const std::string bytes = ReadBytes(FilePath());
  ASSERT_EQ(bytes.size(), 2u + 2u + 32767u + 2u + 1u);
  EXPECT_EQ(bytes.substr(2, 2), Bytes({0xFF, 0x7F}));
  LoadDisplayList(fixture.panel);
  EXPECT_EQ(Inputs(), std::string(32767, '1'));
  EXPECT_EQ(Outputs(), "1");
}

TEST_F(DisplayListFileTest, UnwritablePlaceIsIgnored) {
  fs::create_directory(FilePath());
  SaveDisplayList(fixture.panel);
  LoadDisplayList(fixture.panel);
  EXPECT_TRUE(fs::is_directory(FilePath()));
  EXPECT_EQ(Inputs(), "before-in");
}

}  // namespace
}  // namespace dazi
