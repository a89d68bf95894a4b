#include "settings/ShareProbe.h"

#include <atomic>

namespace dazi::detail {

namespace {

// Each hanging call holds a thread (a stack, no more) until its share answers.
constexpr int kMaxHangingCalls = 16;
std::atomic<int> callsOut{0};

}  // namespace

bool EnterShareCall() {
  int out = callsOut.load();
  while (out < kMaxHangingCalls) {
    if (callsOut.compare_exchange_weak(out, out + 1)) return true;
  }
  return false;
}

void LeaveShareCall() {
  callsOut.fetch_sub(1);
}

}  // namespace dazi::detail
