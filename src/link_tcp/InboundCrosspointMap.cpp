#include <exception>
#include <stdexcept>
#include <vector>

#include "core/Panel.h"
#include "core/Selection.h"
#include "link_tcp/Inbound.h"

namespace dazi {

namespace {

constexpr int kMarkedForm = 64;
constexpr int kLongForm = 10;
constexpr uint8_t kTieMarker = 10;

// Returns normally both when the map was applied and when it stopped part way; only a complete,
// well-sized map redraws and clears its pending bit.
void ApplyCrosspointMap(Panel& panel, const Message& message) {
  SwitcherState& s = panel.State;
  if (!ChecksumValid(message)) return;
  s.SelectorsBusy = true;

  const int form = message.at(1);
  const bool marked = (form & kMarkedForm) != 0;
  const bool longForm = (marked ? (form & 15) : form) == kLongForm;
  const size_t entrySize = (longForm ? 6 : 4) + (marked ? 1 : 0);
  const int outputs = ReadNumber(message, 2);
  const int firstOutput = ReadNumber(message, 4);
  if (firstOutput > s.OutputCount()) return;

  size_t expected = 8;
  size_t block = 6;
  std::vector<RouteEntry> entries;
  for (int o = firstOutput; o < firstOutput + outputs; ++o) {
    const int count = ReadNumber(message, block);
    if (count > OutputRoute::kMaxEntries) return;
    if (o >= s.OutputCount() || !s.Route(o)) throw std::out_of_range("output channel");
    expected += 3 + count * entrySize;
    const uint8_t routeByte = message.at(block + 2);

    size_t pos = block + 3;
    int ties = 0;
    entries.clear();
    for (int k = 0; k < count; ++k) {
      RouteEntry entry;
      if (marked) {
        entry.Tie = message.at(pos++) == kTieMarker;
        if (entry.Tie && ++ties > OutputRoute::kMaxTies) return;
      }
      entry.A = static_cast<int16_t>(ReadNumber(message, pos));
      entry.B = static_cast<int16_t>(ReadNumber(message, pos + 2));
      pos += 4;
      if (longForm) {
        entry.C = static_cast<int16_t>(ReadNumber(message, pos));
        pos += 2;
      }
      entries.push_back(entry);
    }
    s.StoreEntries(o, routeByte, entries, longForm);
    block = pos;
  }
  if (message.size() != expected) return;

  DisplayCurrentInput(panel, false);
  s.InfoPending &= ~kInfoCrosspointMap;
}

}  // namespace

void ProcessCrosspointMap(Panel& panel, const Message& message) {
  try {
    ApplyCrosspointMap(panel, message);
  } catch (const std::exception&) {
    [[maybe_unused]] const char* error = "Error Processing Crosspoint Map";
  }
  panel.State.SelectorsBusy = false;
}

}  // namespace dazi
