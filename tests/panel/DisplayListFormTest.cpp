#include "panel/DisplayListForm.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "panel/MainForm.h"
#include "settings/TempDir.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

class DisplayListFormTest : public ::testing::Test {
 protected:
  // Four inputs with their generated names, editing the input list.
  DisplayListFormTest() {
    panel.State.AppPath = dir.Path();
    panel.State.ReplaceInputs(std::vector<std::string>(4), {});
    panel.State.DisplayListTarget = kInputListTarget;
  }
  void Open(const std::string& list) {
    panel.Settings.InputDisplayList = list;
    DisplayListForm_Activate(panel, form);
  }
  static std::vector<std::string> Texts(const ListItems& list) {
    std::vector<std::string> texts;
    for (const ListItem& item : list.Items()) texts.push_back(item.Text + "|" + item.SubItem1);
    return texts;
  }
  void Select(ListItems& list, std::initializer_list<int> rows) {
    for (int row : rows) list.Items().at(static_cast<size_t>(row)).Selected = true;
  }
  std::string Ok() {
    DisplayListForm_cmdOk_Click(panel, form);
    return panel.Settings.InputDisplayList;
  }

  testing::TempDir dir;
  testing::PanelFixture f;
  Panel& panel = f.panel;
  DisplayListForm form;
};

// A list shorter than the channel count leaves the rest out; a longer one, and flags the panel
// never writes, are cut to one flag per channel.
TEST_F(DisplayListFormTest, OpensWithEveryChannelAndTheListedOnesAndStoresOneFlagPerChannel) {
  const std::tuple<std::string, size_t, std::string> cases[] = {
      {"1010", 2, "1010"}, {"1", 1, "1000"}, {"0111x11", 3, "0111"}, {"", 0, "0000"}};
  for (const auto& [list, listed, stored] : cases) {
    Open(list);
    EXPECT_EQ(form.lvChannel.Count(), 4u);
    EXPECT_EQ(form.lvList.Count(), listed) << list;
    EXPECT_EQ(Ok(), stored);
  }
}

TEST_F(DisplayListFormTest, AddingKeepsPlacesAndNeverDuplicates) {
  Open("0010");
  Select(form.lvChannel, {1, 2});
  DisplayListForm_cmdAdd_Click(panel, form);
  EXPECT_EQ(Texts(form.lvList),
            (std::vector<std::string>{"Inpt0003 (Ch.0003)|Ch.0003", "Inpt0002 (Ch.0002)|Ch.0002"}));
  DisplayListForm_cmdAddAll_Click(panel, form);
  DisplayListForm_cmdAddAll_Click(panel, form);
  EXPECT_EQ(form.lvList.Count(), 4u);
  EXPECT_EQ(form.lvList.Items().back().Key, "Ch.0004");
  EXPECT_TRUE(KeyExists(form, "Ch.0004"));
  EXPECT_FALSE(KeyExists(form, "ch.0004"));
  EXPECT_EQ(Ok(), "1111");
}

TEST_F(DisplayListFormTest, RemovesEverySelectedItemWhereverItIs) {
  Open("1111");
  Select(form.lvList, {0, 2, 3});
  DisplayListForm_cmdRemove_Click(panel, form);
  EXPECT_EQ(Texts(form.lvList), std::vector<std::string>{"Inpt0002 (Ch.0002)|Ch.0002"});
  EXPECT_FALSE(KeyExists(form, "Ch.0001"));
  Select(form.lvChannel, {0});
  DisplayListForm_cmdAdd_Click(panel, form);  // a removed key can come back
  EXPECT_EQ(Ok(), "1100");

  Open("1111");
  DisplayListForm_cmdRemoveAll_Click(panel, form);
  EXPECT_EQ(Ok(), "0000");
}

// A panel without a server path never writes zorntpnl.ini, at exit or otherwise; the list the
// operator confirmed is kept all the same, and is the list of the next start.
TEST_F(DisplayListFormTest, AConfirmedListOutlivesAPanelThatWritesNoSettings) {
  Open("1111");
  Select(form.lvList, {1});
  DisplayListForm_cmdRemove_Click(panel, form);
  EXPECT_EQ(Ok(), "1011");
  Unload_Program(panel);
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "zorntpnl.ini"));

  testing::PanelFixture next;
  Form_Load(next.panel, dir.Path());
  EXPECT_EQ(next.panel.Settings.InputDisplayList, "1011");
  EXPECT_EQ(next.panel.Settings.OutputDisplayList, std::string(256, '1')) << "given nowhere";
}

// Cancel, Escape and closing are the dialog's tests.
TEST_F(DisplayListFormTest, NamesFromTheSwitcherOffSourceAndBlankNames) {
  panel.State.ReplaceInputAlphasByChannel({"CAM 1", "- Off -", "", "   "});
  Open("1111");
  EXPECT_EQ(Texts(form.lvList),
            (std::vector<std::string>{"CAM 1 (Ch.0001)|Ch.0001", "- Off -|Ch.0002",
                                      " (Ch.0003)|Ch.0003", "    (Ch.0004)|Ch.0004"}));
}

// The output list, with a count of its own: 256 generated names in File Mode, the pattern goes on.
TEST_F(DisplayListFormTest, EveryChannelOfTheLargestRouterCanBeListedAndStored) {
  panel.State.ReplaceOutputs(std::vector<std::string>(16383), {});
  panel.State.DisplayListTarget = kOutputListTarget;
  Open("1010");
  EXPECT_EQ(form.lvChannel.Items()[256].Text, "Out 0257 (Ch.0257)");
  EXPECT_EQ(form.lvChannel.Items().back().Text, "Out 16383 (Ch.16383)");
  DisplayListForm_cmdAddAll_Click(panel, form);
  DisplayListForm_cmdOk_Click(panel, form);
  EXPECT_EQ(panel.Settings.OutputDisplayList, std::string(16383, '1'));
  EXPECT_EQ(panel.Settings.InputDisplayList, "1010");
  // Five-digit keys name their own channel, not the one of their last four digits.
  EXPECT_EQ(ChannelOfKey("Ch.10000"), 9999);
  EXPECT_EQ(ChannelOfKey("Ch.16383"), 16382);
  for (const char* bad : {"Ch.", "Ch.12a4", "XX.0001", "Ch.9999999999", ""})
    EXPECT_EQ(ChannelOfKey(bad), -1) << bad;
}

}  // namespace
}  // namespace dazi
