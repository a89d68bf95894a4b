#include <exception>
#include <stdexcept>

#include "core/Panel.h"
#include "core/Selection.h"
#include "core/TakeAndSalvo.h"
#include "link_tcp/Inbound.h"
#include "link_tcp/Outbound.h"

namespace dazi {

namespace {

constexpr int kInputs = 10;
constexpr int kOutputs = 20;
constexpr int kSalvos = 50;

struct SortedTable {
  std::vector<std::string> alphas;
  std::vector<int16_t> numbers;
  std::vector<int16_t> positionOf;  // inverse of numbers
};

SortedTable Sort(std::vector<std::string> alphas, const std::vector<int16_t>& numbers) {
  const std::vector<int> order = SortedAlphaOrder(alphas);
  const int count = static_cast<int>(order.size());
  SortedTable table;
  // Room for the off source an input table may gain: growing a full list would double it.
  table.alphas.reserve(order.size() + 1);
  table.numbers.reserve(order.size() + 1);
  for (int record : order) {
    table.alphas.push_back(std::move(alphas[record]));
    table.numbers.push_back(numbers[record]);
  }
  table.positionOf.assign(order.size(), 0);
  for (int k = 0; k < count; ++k) {
    const int number = table.numbers[k];
    if (number < 0 || number >= count) throw std::out_of_range("record number");
    table.positionOf[number] = static_cast<int16_t>(k);
  }
  return table;
}

// Pads with "1" (shown) up to the new count, or cuts to it when the count shrank.
void FitDisplayList(std::string& list, int count, int oldCount) {
  if (count > static_cast<int>(list.size()))
    list.append(count - list.size(), '1');
  else if (count < oldCount)
    list.resize(count);
}

void RequestInhibitMapUnlessPending(Panel& panel) {
  if ((panel.State.InfoPending & kInfoInhibitMap) == 0) SendInfoRequest(panel, kInfoInhibitMap);
}

void ApplyInputs(Panel& panel, SortedTable table, int count) {
  SwitcherState& s = panel.State;
  const int oldCount = s.InputCount;
  s.InputAlpha = std::move(table.alphas);
  s.InputChannelAt = std::move(table.numbers);
  s.InputPositionOf = std::move(table.positionOf);
  FitDisplayList(panel.Settings.InputDisplayList, count, oldCount);
  if (count != oldCount) s.Inhibit.Recreate(s.OutputCount + 1, count + 1);
  s.InputCount = count;
  if (s.SwitcherType == kOffSourceSwitcherType) {
    s.InputAlpha.push_back(kOffSource);
    s.InputChannelAt.push_back(static_cast<int16_t>(count));
    s.InputCount = count + 1;
  }
  s.InfoPending &= ~kInfoInputAlphas;
  if (panel.View.txtInputDisp.Text == kNoSystem) panel.View.txtInputDisp.Text.clear();
  // The preset must stay inside the shorter list; the redraw below presets the routed source.
  if (!s.SalvoMode && (s.SelectedInput < 0 || s.SelectedInput >= s.InputCount)) {
    s.SelectedInput = 0;
    WhileSelectorsBusy(panel, [&] { panel.View.cmdInSel.SetValue(0); });
  }
  DisplayCurrentInput(panel, true);
  // Asked last: a send that finds the socket closed turns into a disconnection, whose "NoSystem"
  // must not be overwritten by the steps above.
  if (count != oldCount) RequestInhibitMapUnlessPending(panel);
}

void ApplyOutputs(Panel& panel, SortedTable table, int count) {
  SwitcherState& s = panel.State;
  const int oldCount = s.OutputCount;
  s.OutputAlpha = std::move(table.alphas);
  s.OutputChannelAt = std::move(table.numbers);
  s.OutputPositionOf = std::move(table.positionOf);
  WhileSelectorsBusy(panel, [&] { panel.View.cmdoutSel.SetMax(count - 1); });
  FitDisplayList(panel.Settings.OutputDisplayList, count, oldCount);
  if (count != oldCount) s.Inhibit.Recreate(count + 1, s.InputCount + 1);
  s.OutputCount = count;
  s.CrosspointMap.resize(count);
  if (s.CrosspointMap.capacity() / 2 > s.CrosspointMap.size()) s.CrosspointMap.shrink_to_fit();
  // A destination past the shorter list follows the spinner, which stopped at its new maximum.
  if (s.SelectedOutput < 0 || s.SelectedOutput >= count)
    s.SelectedOutput = panel.View.cmdoutSel.Value();
  panel.View.txtOutputDisp = {s.OutputAlpha.at(s.SelectedOutput), s.ActiveColor};
  s.InfoPending &= ~kInfoOutputAlphas;
  if (count != oldCount) RequestInhibitMapUnlessPending(panel);
}

void ApplySalvos(Panel& panel, SortedTable table, int count) {
  SwitcherState& s = panel.State;
  s.SalvoCount = count;
  if (count > 0) {
    s.SalvoName = std::move(table.alphas);
    s.SalvoNumberAt = std::move(table.numbers);
    s.SalvoPositionOf = std::move(table.positionOf);
  } else {
    s.SalvoName = {""};
    s.SalvoNumberAt.clear();
    s.SalvoPositionOf.clear();
  }
  s.InfoPending &= ~kInfoSalvos;
  DisplayFirstSalvo(panel);
}

}  // namespace

void ProcessAlphaTable(Panel& panel, const Message& message) {
  try {
    if (!ChecksumValid(message)) return;
    const int kind = message.at(1);
    const int alphaLength = message.at(2);
    const int count = ReadNumber(message, 3);
    const int first = ReadNumber(message, 5);
    // A router without inputs or outputs cannot be shown; keep what we have.
    if ((kind == kInputs || kind == kOutputs) && count == 0) return;
    const size_t recordSize = static_cast<size_t>(alphaLength) + 2;
    if (message.size() != recordSize * static_cast<size_t>(count) + 9) return;

    std::vector<std::string> alphas(count);
    std::vector<int16_t> numbers(count, 0);
    for (int i = first; i < count; ++i) {
      const size_t start = 7 + recordSize * static_cast<size_t>(i);
      alphas[i].assign(message.begin() + start, message.begin() + start + alphaLength);
      numbers[i] = static_cast<int16_t>(ReadNumber(message, start + alphaLength));
    }

    if (kind == kInputs) {
      std::vector<std::string>& byChannel = panel.State.InputAlphaByChannel;
      byChannel.clear();
      byChannel.reserve(alphas.size() + 1);
      byChannel.assign(alphas.begin(), alphas.end());
      byChannel.push_back(kOffSourceByChannel);
    } else if (kind == kOutputs) {
      panel.State.OutputAlphaByChannel = alphas;
    } else if (kind != kSalvos) {
      return;
    }

    SortedTable table = Sort(std::move(alphas), numbers);
    if (kind == kInputs)
      ApplyInputs(panel, std::move(table), count);
    else if (kind == kOutputs)
      ApplyOutputs(panel, std::move(table), count);
    else
      ApplySalvos(panel, std::move(table), count);
  } catch (const std::exception&) {
    [[maybe_unused]] const char* error = "Error Processing Alpha Table";
  }
}

}  // namespace dazi
