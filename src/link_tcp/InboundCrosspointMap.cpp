#include <exception>
#include <stdexcept>

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
  if (firstOutput > s.OutputCount) return;

  size_t expected = 8;
  size_t block = 6;
  for (int o = firstOutput; o < firstOutput + outputs; ++o) {
    const int entries = ReadNumber(message, block);
    if (entries > OutputRoute::kMaxEntries) return;
    if (o >= s.OutputCount) throw std::out_of_range("output channel");
    OutputRoute& route = s.CrosspointMap.at(o);
    route.EntryCount = static_cast<uint8_t>(entries);
    if (entries == 0) route.Source[0] = static_cast<int16_t>(s.InputCount - 1);
    expected += 3 + entries * entrySize;
    route.RouteByte = message.at(block + 2);

    size_t pos = block + 3;
    int ties = 0;
    for (int k = 0; k < entries; ++k) {
      bool tie = false;
      if (marked) {
        tie = message.at(pos++) == kTieMarker;
        if (tie && ++ties > OutputRoute::kMaxTies) return;
      }
      const auto wordA = static_cast<int16_t>(ReadNumber(message, pos));
      const auto wordB = static_cast<int16_t>(ReadNumber(message, pos + 2));
      pos += 4;
      int16_t wordC = 0;
      if (longForm) {
        wordC = static_cast<int16_t>(ReadNumber(message, pos));
        pos += 2;
      }
      if (tie) {
        route.TieOutput.at(ties - 1) = wordA;
        route.TieWordB.at(ties - 1) = wordB;
        if (longForm) route.TieWordC.at(ties - 1) = wordC;
      } else {
        route.Source.at(k - ties) = wordA;
        route.SourceWordB.at(k - ties) = wordB;
        if (longForm) route.SourceWordC.at(k - ties) = wordC;
      }
    }
    route.TieCount = static_cast<uint8_t>(ties);
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
