// The operations through which both links change the switcher's picture.
#include <algorithm>

#include "model/Variables.h"

namespace dazi {

namespace {

std::vector<std::string> GeneratedNames(int count, std::string (*name)(int)) {
  std::vector<std::string> names(static_cast<std::size_t>(std::max(count, 0)));
  for (int k = 0; k < count; ++k) names[static_cast<std::size_t>(k)] = name(k);
  return names;
}

}  // namespace

void SwitcherState::Start(int count) {
  inputs_.Start(count, kNoSystem, GeneratedNames(count, GeneratedInputName));
  outputs_.Start(count, kFirstOutput, GeneratedNames(count, GeneratedOutputName));
  salvos_ = ChannelTable{};
  salvoKey_.clear();
  crosspointMap_.assign(static_cast<std::size_t>(count), OutputRoute{});
  inhibit_.Recreate(count, count);
}

void SwitcherState::ReplaceInputs(std::vector<std::string> alphas, std::vector<int16_t> channels) {
  inputs_.Replace(std::move(alphas), std::move(channels));
}

void SwitcherState::ReplaceOutputs(std::vector<std::string> alphas, std::vector<int16_t> channels) {
  outputs_.Replace(std::move(alphas), std::move(channels));
}

void SwitcherState::ReplaceInputAlphasByChannel(std::vector<std::string> names) {
  inputs_.ReplaceAlphasByChannel(std::move(names));
}

void SwitcherState::ReplaceOutputAlphasByChannel(std::vector<std::string> names) {
  outputs_.ReplaceAlphasByChannel(std::move(names));
}

void SwitcherState::ReplaceSalvos(std::vector<std::string> names, std::vector<int16_t> numbers) {
  salvos_.Replace(std::move(names), std::move(numbers));
}

void SwitcherState::ReplaceSalvoKeys(std::vector<int16_t> keys) {
  const int count = static_cast<int>(keys.size());
  // Without salvos the keys stay as they were: nothing can ask for them.
  if (count == 0)
    salvos_.ShowOnly(kNoSalvos);
  else
    salvoKey_ = std::move(keys);
  salvos_.SetCount(count);
}

void SwitcherState::FitRoutes() {
  crosspointMap_.resize(static_cast<std::size_t>(std::max(OutputCount(), 0)));
  // A map that shrank far gives its memory back: a largest router's is 9.5 MB.
  if (crosspointMap_.capacity() / 2 > crosspointMap_.size()) crosspointMap_.shrink_to_fit();
}

void SwitcherState::ReplaceRoutes(size_t records) {
  crosspointMap_.assign(records, OutputRoute{});
}

void SwitcherState::StoreSources(int outputChannel, const int16_t* sources, size_t count) {
  if (!Route(outputChannel)) return;
  OutputRoute& route = crosspointMap_[static_cast<std::size_t>(outputChannel)];
  count = std::min<size_t>(count, OutputRoute::kMaxEntries);
  route.EntryCount = static_cast<uint8_t>(count);
  if (count == 0)
    route.Source[0] = static_cast<int16_t>(InputCount() - 1);
  else
    std::copy(sources, sources + count, route.Source.begin());
}

void SwitcherState::StoreEntries(int outputChannel, uint8_t routeByte,
                                 const std::vector<RouteEntry>& entries, bool longForm) {
  if (!Route(outputChannel)) return;
  OutputRoute& route = crosspointMap_[static_cast<std::size_t>(outputChannel)];
  route.EntryCount =
      static_cast<uint8_t>(std::min<size_t>(entries.size(), OutputRoute::kMaxEntries));
  if (entries.empty()) route.Source[0] = static_cast<int16_t>(InputCount() - 1);
  route.RouteByte = routeByte;
  size_t ties = 0;
  size_t sources = 0;
  for (const RouteEntry& entry : entries) {
    if (entry.Tie) {
      if (ties >= OutputRoute::kMaxTies) continue;
      route.TieOutput[ties] = entry.A;
      route.TieWordB[ties] = entry.B;
      if (longForm) route.TieWordC[ties] = entry.C;
      ++ties;
    } else {
      if (sources >= OutputRoute::kMaxEntries) continue;
      route.Source[sources] = entry.A;
      route.SourceWordB[sources] = entry.B;
      if (longForm) route.SourceWordC[sources] = entry.C;
      ++sources;
    }
  }
  route.TieCount = static_cast<uint8_t>(ties);
}

void SwitcherState::StoreInhibitRun(int outputChannel, int first, int end, int flag) {
  end = std::min(end, inhibit_.Inputs());
  if (outputChannel < 0 || outputChannel >= inhibit_.Outputs() || first < 0 || first >= end) return;
  inhibit_.SetRun(outputChannel, first, end, flag);
}

void SwitcherState::LinkDown() {
  SelectedOutput = 0;
  SelectedInput = 0;
  inputs_.ShowOnly(kNoSystem);
  outputs_.ShowOnly(kNoSystem);
}

}  // namespace dazi
