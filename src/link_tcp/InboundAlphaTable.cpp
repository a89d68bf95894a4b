#include <exception>
#include <optional>

#include "link_tcp/Inbound.h"
#include "link_tcp/Outbound.h"
#include "model/Panel.h"
#include "model/ScopedValue.h"
#include "model/Selection.h"

namespace dazi {

namespace {

constexpr int kInputs = 10;
constexpr int kOutputs = 20;
constexpr int kSalvos = 50;

struct SortedTable {
  std::vector<std::string> alphas;
  std::vector<int16_t> numbers;
};

// Empty when a record number lies outside 0 .. N-1: the table names no position for it.
std::optional<SortedTable> Sort(std::vector<std::string> alphas,
                                const std::vector<int16_t>& numbers) {
  const int count = static_cast<int>(numbers.size());
  for (int16_t number : numbers)
    if (number < 0 || number >= count) return std::nullopt;
  const std::vector<int> order = SortedAlphaOrder(alphas);
  SortedTable table;
  // Room for the off source an input table may gain: growing a full list would double it.
  table.alphas.reserve(order.size() + 1);
  table.numbers.reserve(order.size() + 1);
  for (int record : order) {
    table.alphas.push_back(std::move(alphas[record]));
    table.numbers.push_back(numbers[record]);
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
  const int oldCount = s.InputCount();
  s.ReplaceInputs(std::move(table.alphas), std::move(table.numbers));
  FitDisplayList(panel.Settings.InputDisplayList, count, oldCount);
  if (s.SwitcherType == kOffSourceSwitcherType) s.AddOffSource(static_cast<int16_t>(count));
  // The count compared is the one received, without the off source: a type-1301 switcher's
  // inhibit map is asked for again with every input table.
  if (count != oldCount) s.RecreateInhibits();
  s.InfoPending &= ~kInfoInputAlphas;
  if (panel.View.txtInputDisp.Text == kNoSystem) panel.View.txtInputDisp.Text.clear();
  // The preset must stay inside the shorter list; the redraw below presets the routed source.
  if (!s.SalvoMode && (s.SelectedInput < 0 || s.SelectedInput >= s.InputCount())) {
    s.SelectedInput = 0;
    const ScopedValue busy(s.SelectorsBusy, true);
    panel.View.cmdInSel.SetValue(0);
  }
  DisplayCurrentInput(panel, true);
  // Asked last: a send that finds the socket closed turns into a disconnection, whose "NoSystem"
  // must not be overwritten by the steps above.
  if (count != oldCount) RequestInhibitMapUnlessPending(panel);
}

void ApplyOutputs(Panel& panel, SortedTable table, int count) {
  SwitcherState& s = panel.State;
  const int oldCount = s.OutputCount();
  s.ReplaceOutputs(std::move(table.alphas), std::move(table.numbers));
  {
    const ScopedValue busy(s.SelectorsBusy, true);
    panel.View.cmdoutSel.SetMax(count - 1);
  }
  FitDisplayList(panel.Settings.OutputDisplayList, count, oldCount);
  if (count != oldCount) s.RecreateInhibits();
  s.FitRoutes();
  // A destination past the shorter list follows the spinner, which stopped at its new maximum.
  if (s.SelectedOutput < 0 || s.SelectedOutput >= count)
    s.SelectedOutput = panel.View.cmdoutSel.Value();
  if (const std::string* shown = s.Outputs().Alpha(s.SelectedOutput))
    panel.View.txtOutputDisp = {*shown, s.ActiveColor};
  s.InfoPending &= ~kInfoOutputAlphas;
  if (count != oldCount) RequestInhibitMapUnlessPending(panel);
}

void ApplySalvos(Panel& panel, SortedTable table, int count) {
  SwitcherState& s = panel.State;
  if (count > 0)
    s.ReplaceSalvos(std::move(table.alphas), std::move(table.numbers));
  else
    s.ClearSalvos("");
  s.InfoPending &= ~kInfoSalvos;
  DisplayFirstSalvo(panel);
}

}  // namespace

void ProcessAlphaTable(Panel& panel, const Message& message) {
  constexpr const char* kDropped = "alpha table dropped";
  try {
    if (!ChecksumValid(message)) return LogFailure(panel.Log, kDropped, "bad checksum");
    const int kind = message.at(1);
    const int alphaLength = message.at(2);
    const int count = ReadNumber(message, 3);
    const int first = ReadNumber(message, 5);
    // A router without inputs or outputs cannot be shown; keep what we have.
    if ((kind == kInputs || kind == kOutputs) && count == 0)
      return LogFailure(panel.Log, kDropped, "no inputs or outputs");
    const size_t recordSize = static_cast<size_t>(alphaLength) + 2;
    if (message.size() != recordSize * static_cast<size_t>(count) + 9)
      return LogFailure(panel.Log, kDropped, "its length is not the one its records give");

    std::vector<std::string> alphas(count);
    std::vector<int16_t> numbers(count, 0);
    for (int i = first; i < count; ++i) {
      const size_t start = 7 + recordSize * static_cast<size_t>(i);
      alphas[i].assign(message.begin() + start, message.begin() + start + alphaLength);
      numbers[i] = static_cast<int16_t>(ReadNumber(message, start + alphaLength));
    }

    if (kind != kInputs && kind != kOutputs && kind != kSalvos)
      return LogFailure(panel.Log, kDropped, "a kind other than inputs, outputs or salvos");

    std::vector<std::string> byChannel;
    if (kind == kInputs) {
      byChannel.reserve(alphas.size() + 1);
      byChannel.assign(alphas.begin(), alphas.end());
      byChannel.push_back(kOffSourceByChannel);
    } else if (kind == kOutputs) {
      byChannel = alphas;
    }
    // Checked whole before anything changes: every record number must name a position.
    std::optional<SortedTable> table = Sort(std::move(alphas), numbers);
    if (!table) return LogFailure(panel.Log, kDropped, "a record number outside the table");

    if (kind == kInputs) {
      panel.State.ReplaceInputAlphasByChannel(std::move(byChannel));
      ApplyInputs(panel, std::move(*table), count);
    } else if (kind == kOutputs) {
      panel.State.ReplaceOutputAlphasByChannel(std::move(byChannel));
      ApplyOutputs(panel, std::move(*table), count);
    } else {
      ApplySalvos(panel, std::move(*table), count);
    }
  } catch (const std::exception& error) {
    LogFailure(panel.Log, "Error Processing Alpha Table", error.what());
  }
}

}  // namespace dazi
