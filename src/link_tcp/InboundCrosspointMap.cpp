#include <exception>
#include <vector>

#include "link_tcp/Inbound.h"
#include "model/Panel.h"
#include "model/ScopedValue.h"
#include "model/Selection.h"

namespace dazi {

namespace {

constexpr int kMarkedForm = 64;
constexpr int kLongForm = 10;
constexpr uint8_t kTieMarker = 10;

struct MapForm {
  bool marked;
  bool longForm;
  size_t entrySize;
};

MapForm FormOf(int form) {
  const bool marked = (form & kMarkedForm) != 0;
  const bool longForm = (marked ? (form & 15) : form) == kLongForm;
  return {marked, longForm, static_cast<size_t>((longForm ? 6 : 4) + (marked ? 1 : 0))};
}

// Reads every output block in order and hands each output's route byte and entries to `use`.
// Returns why the map does not fit the model, or null when it does.
template <typename Use>
const char* WalkCrosspointMap(const Message& message, const SwitcherState& s, const MapForm& form,
                              Use use) {
  const int outputs = ReadNumber(message, 2);
  const int firstOutput = ReadNumber(message, 4);
  if (firstOutput > s.OutputCount()) return "its first output is past the outputs";

  size_t block = 6;
  std::vector<RouteEntry> entries;
  for (int o = firstOutput; o < firstOutput + outputs; ++o) {
    const int count = ReadNumber(message, block);
    if (count > OutputRoute::kMaxEntries) return "an output with more than 64 entries";
    if (o >= s.OutputCount() || !s.Route(o)) return "an output the map does not have";
    if (block + 3 + count * form.entrySize + 2 > message.size())
      return "its entry counts promise more than it holds";
    const uint8_t routeByte = message[block + 2];

    size_t pos = block + 3;
    int ties = 0;
    entries.clear();
    for (int k = 0; k < count; ++k) {
      RouteEntry entry;
      if (form.marked) {
        entry.Tie = message[pos++] == kTieMarker;
        if (entry.Tie && ++ties > OutputRoute::kMaxTies) return "an output with more than 32 ties";
      }
      entry.A = static_cast<int16_t>(ReadNumber(message, pos));
      entry.B = static_cast<int16_t>(ReadNumber(message, pos + 2));
      pos += 4;
      if (form.longForm) {
        entry.C = static_cast<int16_t>(ReadNumber(message, pos));
        pos += 2;
      }
      entries.push_back(entry);
    }
    use(o, routeByte, entries);
    block = pos;
  }
  return message.size() == block + 2 ? nullptr : "its length is not the one its blocks give";
}

// The whole map is checked before any record changes; a map that does not fit changes nothing
// and leaves its information pending, to be asked for again.
void ApplyCrosspointMap(Panel& panel, const Message& message) {
  constexpr const char* kDropped = "crosspoint map dropped";
  SwitcherState& s = panel.State;
  if (!ChecksumValid(message)) return LogFailure(panel.Log, kDropped, "bad checksum");
  const MapForm form = FormOf(message.at(1));
  const char* misfit =
      WalkCrosspointMap(message, s, form, [](int, uint8_t, const std::vector<RouteEntry>&) {});
  if (misfit) return LogFailure(panel.Log, kDropped, misfit);
  WalkCrosspointMap(message, s, form,
                    [&s, &form](int output, uint8_t routeByte, const std::vector<RouteEntry>& e) {
                      s.StoreEntries(output, routeByte, e, form.longForm);
                    });
  DisplayCurrentInput(panel, false);
  s.InfoPending &= ~kInfoCrosspointMap;
}

}  // namespace

void ProcessCrosspointMap(Panel& panel, const Message& message) {
  const ScopedValue busy(panel.State.SelectorsBusy, true);
  try {
    ApplyCrosspointMap(panel, message);
  } catch (const std::exception& error) {
    LogFailure(panel.Log, "Error Processing Crosspoint Map", error.what());
  }
}

}  // namespace dazi
