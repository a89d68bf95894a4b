#include <algorithm>
#include <exception>

#include "link_tcp/ByteManipulation.h"
#include "link_tcp/Inbound.h"
#include "model/Panel.h"
#include "model/ScopedValue.h"

namespace dazi {

namespace {

// One output's run as the model stores it: inputs first .. end-1, clipped to the inputs the
// model has.
struct InhibitRun {
  int output;
  int first;
  int end;
  int flag;
};

// Walks the message's runs in order and hands each that covers an input to `use`, which may
// refuse it. Returns why the message does not fit, or null. Runs may describe far more flags than
// there are inputs, so they are never spelt out one flag per input.
template <typename Use>
const char* WalkInhibitRuns(const Message& message, int inputCount, Use use) {
  constexpr const char* kLength = "its length is not the one its run counts give";
  const int outputs = ReadNumber(message, 2);
  const int firstOutput = ReadNumber(message, 4);
  // The length first, from the run counts alone: a count may promise more than the message holds.
  size_t expected = 8;
  for (int o = 0; o < outputs; ++o) {
    expected += 2 + 2 * static_cast<size_t>(ReadNumber(message, expected - 2));
    if (expected > message.size()) return kLength;
  }
  if (message.size() != expected) return kLength;

  size_t block = 6;
  for (int o = firstOutput; o < firstOutput + outputs; ++o) {
    const int runs = ReadNumber(message, block);
    size_t pos = block + 2;
    block += 2 + 2 * static_cast<size_t>(runs);
    int64_t input = 0;
    for (int r = 0; r < runs; ++r, pos += 2) {
      uint8_t low = message[pos];
      const int flag = SplitRunByte(low);
      const int64_t length = JoinBytes(low, message[pos + 1]);
      const int64_t end = std::min<int64_t>(input + length, inputCount);
      if (input < end && !use(InhibitRun{o, static_cast<int>(input), static_cast<int>(end), flag}))
        return "a run outside the inhibit map";
      input += length;
    }
  }
  return nullptr;
}

void ApplyInhibitMap(Panel& panel, const Message& message) {
  constexpr const char* kDropped = "inhibit map dropped";
  SwitcherState& s = panel.State;
  if (!ChecksumValid(message)) return LogFailure(panel.Log, kDropped, "bad checksum");
  // The whole message is checked before anything is stored: every run must land inside the map.
  const InhibitMap& map = s.Inhibit();
  const char* misfit = WalkInhibitRuns(message, s.InputCount(), [&map](const InhibitRun& run) {
    return run.output < map.Outputs() && run.end <= map.Inputs();
  });
  if (misfit) return LogFailure(panel.Log, kDropped, misfit);
  WalkInhibitRuns(message, s.InputCount(), [&s](const InhibitRun& run) {
    s.StoreInhibitRun(run.output, run.first, run.end, run.flag);
    return true;
  });
  s.InfoPending &= ~kInfoInhibitMap;
}

}  // namespace

void ProcessInhibitMap(Panel& panel, const Message& message) {
  const ScopedValue busy(panel.State.SelectorsBusy, true);
  try {
    ApplyInhibitMap(panel, message);
  } catch (const std::exception& error) {
    LogFailure(panel.Log, "Error Processing Inhibit Map", error.what());
  }
}

}  // namespace dazi
