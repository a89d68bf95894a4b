#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "link_tcp/Inbound.h"
#include "link_tcp/WireBytes.h"
#include "model/ScopedValue.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

using testing::AlphaTable;
using testing::Bytes;
using Texts = std::vector<std::string>;
using Numbers = std::vector<int16_t>;

const Bytes kCameras = AlphaTable(10, 4, 0, {{"VTR2", 0}, {"cam1", 1}, {"Bars", 2}});

struct Table : testing::PanelFixture {
  Table() {
    socket.IsConnected = true;
    panel.State.InfoPending = 0;
  }
  SwitcherState& s = panel.State;
};

TEST(AlphaTable, InputsAreSortedWithoutRegardToCase) {
  Table t;
  t.panel.Settings.InputDisplayList = std::string(256, '1');
  ProcessAlphaTable(t.panel, kCameras);
  EXPECT_EQ(t.s.Inputs().Alphas(), (Texts{"Bars", "cam1", "VTR2"}));
  EXPECT_EQ(t.s.Inputs().Channels(), (Numbers{2, 1, 0}));
  EXPECT_EQ(t.s.Inputs().Positions(), (Numbers{2, 1, 0}));
  EXPECT_EQ(t.s.Inputs().AlphasByChannel(), (Texts{"VTR2", "cam1", "Bars", "- Off -"}));
  EXPECT_EQ(t.s.InputCount(), 3);
  EXPECT_EQ(t.panel.Settings.InputDisplayList, "111");
  // The count changed: the inhibit map starts empty and is asked for again.
  EXPECT_EQ(t.s.Inhibit().Outputs(), 257);
  EXPECT_EQ(t.s.Inhibit().Inputs(), 4);
  EXPECT_EQ(t.socket.AllWritten, (Bytes{242, 0, 32, 0, 0, 0, 0, 0, 0, 0, 0, 32, 255}));
  EXPECT_EQ(t.s.InfoPending, 0x1000);
}

TEST(AlphaTable, OffSourceOfType1301FollowsTheInputsAndSkippedRecordsSortFirst) {
  Table t;
  t.s.SwitcherType = 1301;
  t.s.InfoPending = 0x1000 | 0x100;  // inhibit map already asked for: not asked again
  ProcessAlphaTable(t.panel, AlphaTable(10, 2, 2, {{"zz", 0}, {"yy", 0}, {"AB", 2}}));
  EXPECT_EQ(t.s.Inputs().Alphas(), (Texts{"", "", "AB", "- OFF -"}));
  EXPECT_EQ(t.s.Inputs().Channels(), (Numbers{0, 0, 2, 3}));
  EXPECT_EQ(t.s.Inputs().Positions(), (Numbers{1, 0, 2, 3}));  // the off source's is its own
  EXPECT_EQ(t.s.InputCount(), 4);
  EXPECT_TRUE(t.socket.Written.empty());
  EXPECT_EQ(t.s.InfoPending, 0x1000);
}

TEST(AlphaTable, OutputsResizeTheMapAndKeepTheDestinationInRange) {
  Table t;
  {
    const ScopedValue busy(t.s.SelectorsBusy, true);
    t.panel.View.cmdoutSel.SetMax(10);
    t.panel.View.cmdoutSel.SetValue(5);
  }
  t.s.SelectedOutput = 5;
  t.s.ApplyRoute(1, 42);
  t.panel.Settings.OutputDisplayList = "1";
  ProcessAlphaTable(t.panel, AlphaTable(20, 3, 0, {{"Mon", 0}, {"Air", 1}, {"Rec", 2}}));
  EXPECT_EQ(t.s.Outputs().Alphas(), (Texts{"Air", "Mon", "Rec"}));
  EXPECT_EQ(t.s.Outputs().Positions(), (Numbers{1, 0, 2}));
  ASSERT_EQ(t.s.CrosspointMap().size(), 3u);
  EXPECT_EQ(t.s.CrosspointMap()[1].Source[0], 42);
  EXPECT_EQ(t.panel.View.cmdoutSel.Max(), 2);
  EXPECT_EQ(t.s.SelectedOutput, 2);
  EXPECT_EQ(t.panel.View.txtOutputDisp.Text, "Rec");
  EXPECT_EQ(t.panel.Settings.OutputDisplayList, "111");
  EXPECT_EQ(t.s.Inhibit().Outputs(), 4);
}

TEST(AlphaTable, SalvoNamesAreSortedAndAnEmptyTableLeavesOneEmptyName) {
  Table t;
  t.s.InfoPending = 0x4000;
  ProcessAlphaTable(t.panel, AlphaTable(50, 3, 0, {{"Zed", 0}, {"Abe", 1}}));
  EXPECT_EQ(t.s.Salvos().Alphas(), (Texts{"Abe", "Zed"}));
  EXPECT_EQ(t.s.Salvos().Channels(), (Numbers{1, 0}));
  EXPECT_EQ(t.s.InfoPending, 0);
  ProcessAlphaTable(t.panel, AlphaTable(50, 3, 0, {}));
  EXPECT_EQ(t.s.SalvoCount(), 0);
  EXPECT_EQ(t.s.Salvos().Alphas(), (Texts{""}));
}

// The selector order must be the exchange sort's exactly, also where many alphas are equal: the
// order the panel has always produced, written out plainly.
std::vector<int> LiteralExchangeSort(const Texts& alphas) {
  Texts keys = alphas;
  for (std::string& k : keys)
    for (char& c : k) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::vector<int> order(keys.size());
  std::iota(order.begin(), order.end(), 0);
  for (size_t i = 0; i < keys.size(); ++i)
    for (size_t j = i + 1; j < keys.size(); ++j)
      if (keys[i] > keys[j]) {
        std::swap(keys[i], keys[j]);
        std::swap(order[i], order[j]);
      }
  return order;
}

TEST(AlphaSort, MatchesTheLiteralExchangeSortWithManyEqualAlphas) {
  std::mt19937 random(11);
  // distinct values x count: few values make long runs of equals, many values short ones.
  const std::pair<int, int> shapes[] = {{1, 300},  {2, 300},   {3, 250},   {5, 400},  {12, 400},
                                        {40, 400}, {150, 300}, {400, 400}, {2, 2000}, {30, 2000}};
  for (const auto& [values, count] : shapes) {
    for (int trial = 0; trial < 8; ++trial) {
      Texts alphas(static_cast<size_t>(random() % (count + 1)));
      // Some trials keep one value rare, so long runs meet few smaller records, or many.
      const int skew = trial % 4;
      for (std::string& alpha : alphas) {
        int v = static_cast<int>(random() % values);
        if (skew == 1 && v == 0 && random() % 8) v = values - 1;
        if (skew == 2 && random() % 2) v = values / 2;
        // Value v spelt in a, b, a blank, an underscore (between the capitals and the small
        // letters) and a brace; value 0 is the empty alpha. Letters are equal but for case.
        alpha.clear();
        for (; v > 0; v /= 5) alpha += "ab _{"[v % 5];
        for (char& c : alpha)
          if (std::islower(static_cast<unsigned char>(c)) && random() % 2) c = char(c - 32);
      }
      EXPECT_EQ(SortedAlphaOrder(alphas), LiteralExchangeSort(alphas))
          << values << " values, " << alphas.size() << " alphas, trial " << trial;
    }
  }
}

// Each smaller alpha after the first of a run of equals sends the run's front to its back.
TEST(AlphaSort, EqualAlphasTakeTheExchangeSortsPermutation) {
  EXPECT_EQ(SortedAlphaOrder({"B", "b", "A"}), (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(SortedAlphaOrder({"B", "b", "A", "a"}), (std::vector<int>{2, 3, 0, 1}));
  EXPECT_EQ(SortedAlphaOrder({"B", "A", "b"}), (std::vector<int>{1, 0, 2}));
  EXPECT_EQ(SortedAlphaOrder({"x", "X", "x"}), (std::vector<int>{0, 1, 2}));
}

}  // namespace
}  // namespace dazi
