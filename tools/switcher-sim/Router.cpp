#include "Router.h"

#include <algorithm>
#include <array>
#include <utility>

namespace sim {
namespace {

// The number, zero-padded to at least `width` digits.
std::string Padded(int number, size_t width) {
  std::string digits = std::to_string(number);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

// "IN 0001" / "OUT 0001": 1-based, zero-padded to at least four digits so they sort in order.
std::string PlainName(const char* prefix, int channel, int count) {
  return std::string(prefix) + " " +
         Padded(channel + 1, std::max<size_t>(4, std::to_string(count).size()));
}

// "CAM 01", "VTR 01", ... : families in turn, so a small router looks like a studio.
std::string StudioName(const std::array<const char*, 5>& families, int channel, int count) {
  const int familyCount = static_cast<int>(families.size());
  const int perFamily = (count + familyCount - 1) / familyCount;
  return std::string(families[channel % familyCount]) + " " +
         Padded(channel / familyCount + 1, std::max<size_t>(2, std::to_string(perFamily).size()));
}

constexpr std::array<const char*, 5> kInputFamilies = {"CAM", "VTR", "GFX", "SAT", "LINE"};
constexpr std::array<const char*, 5> kOutputFamilies = {"MON", "REC", "TX", "AUX", "PVW"};

}  // namespace

bool Router::IsInhibited(int output, int input) const {
  if (!IsOutput(output) || static_cast<size_t>(output) >= inhibits.size()) return false;
  const auto& ranges = inhibits[output];
  // First range ending at or after the input; inhibited when it also starts at or before it.
  const auto it = std::lower_bound(ranges.begin(), ranges.end(), input,
                                   [](const InputRange& r, int value) { return r.last < value; });
  return it != ranges.end() && it->first <= input;
}

bool Router::IsSource(int input) const {
  return (input >= 0 && input < inputCount) || (HasOffSource() && input == OffInput());
}

int Router::ShownSource(int output) const {
  const int tie = tiedTo.at(output);
  if (tie == kNotTied) return routes.at(output);
  if (!IsOutput(tie) || tiedTo.at(tie) != kNotTied) return kUnrouted;
  return routes.at(tie);
}

void FillDefaults(Router& router, AlphaStyle style) {
  router.inputNames.resize(router.inputCount);
  router.outputNames.resize(router.outputCount);
  for (int i = 0; i < router.inputCount; ++i) {
    if (!router.inputNames[i].empty()) continue;
    router.inputNames[i] = style == AlphaStyle::kStudio
                               ? StudioName(kInputFamilies, i, router.inputCount)
                               : PlainName("IN", i, router.inputCount);
  }
  for (int o = 0; o < router.outputCount; ++o) {
    if (!router.outputNames[o].empty()) continue;
    router.outputNames[o] = style == AlphaStyle::kStudio
                                ? StudioName(kOutputFamilies, o, router.outputCount)
                                : PlainName("OUT", o, router.outputCount);
  }
  router.routes.resize(router.outputCount, kUnrouted);
  router.tiedTo.resize(router.outputCount, kNotTied);
  router.inhibits.resize(router.outputCount);
}

Router MakeGeneratedRouter(int inputCount, int outputCount, int type, AlphaStyle style) {
  Router router;
  router.type = type;
  router.inputCount = inputCount;
  router.outputCount = outputCount;
  FillDefaults(router, style);
  for (int o = 0; o < outputCount; ++o) router.routes[o] = o % inputCount;
  return router;
}

std::string CheckRoute(const Router& router, int output, int input) {
  if (!router.IsOutput(output)) return "output out of range";
  if (!router.IsSource(input)) return "input out of range";
  if (input != router.OffInput() && router.IsInhibited(output, input)) return "input inhibited";
  return {};
}

void NormaliseInhibits(Router& router) {
  for (auto& ranges : router.inhibits) {
    std::sort(ranges.begin(), ranges.end(),
              [](const InputRange& a, const InputRange& b) { return a.first < b.first; });
    std::vector<InputRange> merged;
    for (const auto& range : ranges) {
      if (!merged.empty() && range.first <= merged.back().last + 1) {
        merged.back().last = std::max(merged.back().last, range.last);
      } else {
        merged.push_back(range);
      }
    }
    ranges = std::move(merged);
  }
}

}  // namespace sim
