#include <algorithm>
#include <numeric>

#include "link_tcp/Inbound.h"

namespace dazi {

namespace {

std::string UpperAscii(const std::string& text) {
  std::string upper = text;
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

// Ordinal comparison by character code, bytes taken as unsigned.
bool Less(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<uint8_t>(x) < static_cast<uint8_t>(y);
  });
}

struct Ranking {
  std::vector<int> stableOrder;  // record indexes, stably sorted by key
  std::vector<int> rank;         // by record: equal keys share a rank, 0 is the smallest
  int distinct = 0;
};

Ranking RankAlphas(const std::vector<std::string>& alphas) {
  const int n = static_cast<int>(alphas.size());
  std::vector<std::string> keys(alphas.size());
  std::transform(alphas.begin(), alphas.end(), keys.begin(), UpperAscii);
  Ranking r;
  r.stableOrder.resize(alphas.size());
  std::iota(r.stableOrder.begin(), r.stableOrder.end(), 0);
  std::stable_sort(r.stableOrder.begin(), r.stableOrder.end(),
                   [&](int a, int b) { return Less(keys[a], keys[b]); });
  r.rank.assign(alphas.size(), 0);
  for (int k = 0; k < n; ++k) {
    if (k > 0 && Less(keys[r.stableOrder[k - 1]], keys[r.stableOrder[k]])) ++r.distinct;
    r.rank[r.stableOrder[k]] = r.distinct;
  }
  if (n > 0) ++r.distinct;
  return r;
}

// The exchange sort, step for step, on ranks. A pass stops early once its slot holds the
// smallest rank still unplaced, since nothing after it can be swapped in any more.
std::vector<int> ExchangeSort(const Ranking& ranking) {
  const int n = static_cast<int>(ranking.rank.size());
  std::vector<int> order(ranking.rank.size());
  std::iota(order.begin(), order.end(), 0);
  std::vector<int> rank = ranking.rank;
  std::vector<int> unplaced(static_cast<size_t>(ranking.distinct), 0);
  for (int r : rank) ++unplaced[r];
  int smallest = 0;
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n && rank[i] != smallest; ++j) {
      if (rank[j] < rank[i]) {
        std::swap(rank[i], rank[j]);
        std::swap(order[i], order[j]);
      }
    }
    --unplaced[rank[i]];
    while (smallest + 1 < ranking.distinct && unplaced[smallest] == 0) ++smallest;
  }
  return order;
}

}  // namespace

std::vector<int> SortedAlphaOrder(const std::vector<std::string>& alphas) {
  Ranking ranking = RankAlphas(alphas);
  if (ranking.distinct == static_cast<int>(alphas.size())) return std::move(ranking.stableOrder);
  return ExchangeSort(ranking);
}

std::vector<int> ExchangeSortedAlphaOrder(const std::vector<std::string>& alphas) {
  return ExchangeSort(RankAlphas(alphas));
}

}  // namespace dazi
