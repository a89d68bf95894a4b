// The selector order must be the exchange sort's exactly, also where many alphas are equal.
#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "link_tcp/Inbound.h"

namespace dazi {
namespace {

using Texts = std::vector<std::string>;

// The order the panel has always produced, written out plainly.
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
