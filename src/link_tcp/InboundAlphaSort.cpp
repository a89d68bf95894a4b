// The selector order of an alpha table. The classic panels sorted with an exchange sort (for i,
// for j > i, swap when alpha i > alpha j), which is not stable: alphas that compare equal come
// out in an order of its own. That order is rebuilt here without the quadratic sort.
//
// What the exchange sort does to equal alphas. Take the alphas of one value v and look only at
// the records whose alpha is v or smaller: the passes over the others never change how these
// lie relative to one another. Among them, the pass for slot i swaps the current record at i
// for the first smaller one after it, and that one for the first smaller one after it, and so
// on; so a record of value v moves only when it is the first of the remaining records, and then
// it moves to where the first record smaller than v was. Read in arrival order, the records of
// value v therefore behave as a queue: each one joins at the back, and each smaller record
// after the first of value v sends the queue's front to its back. The queue at the end is their
// order in the sorted list.
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

// Counts over 0..size-1 that can be changed and summed in logarithmic time.
class FenwickTree {
 public:
  explicit FenwickTree(int size) : sums_(static_cast<size_t>(size) + 1, 0) {}
  // Every count 1.
  void FillOnes() {
    const int size = static_cast<int>(sums_.size()) - 1;
    for (int i = 1; i <= size; ++i) sums_[i] = i & -i;
  }
  void Add(int index, int delta) {
    for (int i = index + 1; i < static_cast<int>(sums_.size()); i += i & -i) sums_[i] += delta;
  }
  // Sum of the counts of 0..end-1.
  int SumBefore(int end) const {
    int sum = 0;
    for (int i = end; i > 0; i -= i & -i) sum += sums_[i];
    return sum;
  }
  // The index at which the sum from 0 first exceeds k (counts 0 or 1, k below the total).
  int FindNth(int k) const {
    int index = 0;
    int step = 1;
    while (step * 2 < static_cast<int>(sums_.size())) step *= 2;
    for (; step > 0; step /= 2) {
      if (index + step < static_cast<int>(sums_.size()) && sums_[index + step] <= k) {
        index += step;
        k -= sums_[index];
      }
    }
    return index;
  }

 private:
  std::vector<int> sums_;
};

// The queue of one value's records (by arrival index, ascending), given how many smaller
// records arrive after each of them. The queue lives in a list L read from a moving front f
// (L[f], L[f+1], ..., L[f-1]): a turn moves f on; a record joins at index f and f steps past
// it. Where each joins is known at once; where it ends is found by placing the last one first.
std::vector<int> EqualRunOrder(const std::vector<int>& records,
                               const std::vector<int>& smallerAfter) {
  const int count = static_cast<int>(records.size());
  std::vector<int> joinsAt(records.size(), 0);
  int front = 0;
  for (int j = 1; j < count; ++j) {
    front = static_cast<int>((front + smallerAfter[j - 1]) % j);
    joinsAt[j] = front++;
  }
  front = static_cast<int>((front + smallerAfter[count - 1]) % count);

  FenwickTree free(count);
  free.FillOnes();
  std::vector<int> queue(records.size());
  for (int j = count - 1; j >= 0; --j) {
    const int slot = free.FindNth(joinsAt[j]);
    free.Add(slot, -1);
    queue[(slot - front + count) % count] = records[j];
  }
  return queue;
}

}  // namespace

std::vector<int> SortedAlphaOrder(const std::vector<std::string>& alphas) {
  const int n = static_cast<int>(alphas.size());
  std::vector<std::string> keys(alphas.size());
  std::transform(alphas.begin(), alphas.end(), keys.begin(), UpperAscii);
  // std::string compares by unsigned character code.
  std::vector<int> order(alphas.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[a] < keys[b]; });

  // Runs of equal keys, smallest first; within a run the records are in arrival order. Only a
  // run with smaller keys before it can come out in another order; the smallest key's run and
  // single records stay as they are.
  std::vector<int> runStart;
  for (int k = 0; k < n; ++k)
    if (k == 0 || keys[order[k - 1]] != keys[order[k]]) runStart.push_back(k);
  runStart.push_back(n);
  size_t lastTurning = 0;  // 0: no run can turn
  for (size_t r = 1; r + 1 < runStart.size(); ++r)
    if (runStart[r + 1] - runStart[r] > 1) lastTurning = r;

  FenwickTree placed(lastTurning > 0 ? n : 0);  // records of smaller keys, by arrival index
  std::vector<int> run;
  std::vector<int> smallerAfter;
  for (size_t r = 0; r <= lastTurning && lastTurning > 0; ++r) {
    const int begin = runStart[r];
    const int end = runStart[r + 1];
    if (r > 0 && end - begin > 1) {
      run.assign(order.begin() + begin, order.begin() + end);
      smallerAfter.resize(run.size());
      for (size_t j = 0; j < run.size(); ++j) {
        const int until = j + 1 < run.size() ? placed.SumBefore(run[j + 1]) : begin;
        smallerAfter[j] = until - placed.SumBefore(run[j]);
      }
      // With no smaller record after the first, the queue never turns: arrival order stands.
      if (std::any_of(smallerAfter.begin(), smallerAfter.end(),
                      [](int smaller) { return smaller > 0; })) {
        const std::vector<int> queue = EqualRunOrder(run, smallerAfter);
        std::copy(queue.begin(), queue.end(), order.begin() + begin);
      }
    }
    for (int k = begin; k < end; ++k) placed.Add(order[k], 1);
  }
  return order;
}

}  // namespace dazi
