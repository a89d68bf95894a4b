#include <algorithm>
#include <exception>

#include "core/Panel.h"
#include "link_tcp/ByteManipulation.h"
#include "link_tcp/Inbound.h"

namespace dazi {

namespace {

// Runs may describe far more flags than there are inputs, so they are never spelt out one flag
// per input: the length is checked from the run counts alone, then each run is applied clipped
// to the inputs the model has.
void ApplyInhibitMap(Panel& panel, const Message& message) {
  SwitcherState& s = panel.State;
  if (!ChecksumValid(message)) return;
  const int outputs = ReadNumber(message, 2);
  const int firstOutput = ReadNumber(message, 4);

  size_t expected = 8;
  size_t block = 6;
  for (int o = 0; o < outputs; ++o) {
    const size_t runs = static_cast<size_t>(ReadNumber(message, block));
    expected += 2 + 2 * runs;
    block += 2 + 2 * runs;
    if (expected > message.size()) return;
  }
  if (message.size() != expected) return;

  block = 6;
  for (int o = firstOutput; o < firstOutput + outputs; ++o) {
    const int runs = ReadNumber(message, block);
    size_t pos = block + 2;
    block += 2 + 2 * static_cast<size_t>(runs);
    int64_t input = 0;
    for (int r = 0; r < runs; ++r, pos += 2) {
      uint8_t low = message.at(pos);
      const int flag = SplitRunByte(low);
      const int64_t length = JoinBytes(low, message.at(pos + 1));
      const int64_t end = std::min<int64_t>(input + length, s.InputCount());
      if (input < end) s.StoreInhibitRun(o, static_cast<int>(input), static_cast<int>(end), flag);
      input += length;
    }
  }
  s.InfoPending &= ~kInfoInhibitMap;
}

}  // namespace

void ProcessInhibitMap(Panel& panel, const Message& message) {
  panel.State.SelectorsBusy = true;
  try {
    ApplyInhibitMap(panel, message);
  } catch (const std::exception&) {
    [[maybe_unused]] const char* error = "Error Processing Inhibit Map";
  }
  panel.State.SelectorsBusy = false;
}

}  // namespace dazi
