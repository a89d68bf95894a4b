#include "model/FindByName.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "model/Panel.h"
#include "model/Selection.h"

namespace dazi {

namespace {

// Windows-1252 letters in lower case; every other byte stands for itself.
constexpr std::array<unsigned char, 256> kLowerCase = [] {
  std::array<unsigned char, 256> lower{};
  for (int b = 0; b < 256; ++b) lower[b] = static_cast<unsigned char>(b);
  for (int b = 'A'; b <= 'Z'; ++b) lower[b] = static_cast<unsigned char>(b + 32);
  for (int b = 0xC0; b <= 0xDE; ++b)
    if (b != 0xD7) lower[b] = static_cast<unsigned char>(b + 32);  // not the multiplication sign
  // S caron, OE, Z caron and Y diaeresis, whose pairs lie apart.
  lower[0x8A] = 0x9A;
  lower[0x8C] = 0x9C;
  lower[0x8E] = 0x9E;
  lower[0x9F] = 0xFF;
  return lower;
}();

unsigned char Lower(char c) {
  return kLowerCase[static_cast<unsigned char>(c)];
}

enum class Match { None, Begins, Contains };

// `lower` is the typed text already in lower case.
Match MatchOf(std::string_view name, std::string_view lower) {
  if (lower.size() > name.size()) return Match::None;
  for (std::size_t at = 0; at + lower.size() <= name.size(); ++at) {
    std::size_t i = 0;
    while (i < lower.size() && Lower(name[at + i]) == static_cast<unsigned char>(lower[i])) ++i;
    if (i == lower.size()) return at == 0 ? Match::Begins : Match::Contains;
  }
  return Match::None;
}

const std::vector<std::string>* NamesOf(const Panel& panel, FindKind kind) {
  switch (kind) {
    case FindKind::Destinations:
      return &panel.State.Outputs().Alphas();
    case FindKind::Sources:
      return &panel.State.Inputs().Alphas();
    case FindKind::Salvos:
      return &panel.State.Salvos().Alphas();
    default:
      return nullptr;
  }
}

// The last value the side's spinner reaches that has a name; -1 when none has.
int LastValue(const Panel& panel, FindSide side, FindKind kind) {
  if (kind == FindKind::None) return -1;
  const UpDown& spinner =
      side == FindSide::Destination ? panel.View.cmdoutSel : panel.View.cmdInSel;
  if (kind == FindKind::Keys) return spinner.Max();
  return std::min(spinner.Max(), static_cast<int>(NamesOf(panel, kind)->size()) - 1);
}

// Whether the spinner would stop on `value`; the caller has checked it against LastValue.
bool Stops(const Panel& panel, FindKind kind, int outputChannel, int value) {
  switch (kind) {
    case FindKind::Destinations:
      return !OutputSkipped(panel, value);
    case FindKind::Sources:
      return !InputSkipped(panel, outputChannel, value);
    default:
      return true;  // salvos and keys are never skipped
  }
}

}  // namespace

FindKind FindKindOf(const Panel& panel, FindSide side) {
  const SwitcherState& s = panel.State;
  // The spinners' change events do nothing while their display reads NoSystem.
  if (side == FindSide::Destination)
    return panel.View.txtOutputDisp.Text == kNoSystem ? FindKind::None : FindKind::Destinations;
  if (panel.View.txtInputDisp.Text == kNoSystem) return FindKind::None;
  if (s.KeyEntryMode) return FindKind::Keys;
  if (s.SalvoMode) return s.SalvoCount() == 0 ? FindKind::None : FindKind::Salvos;
  return FindKind::Sources;
}

std::vector<int> FindByName(const Panel& panel, FindSide side, std::string_view typed) {
  const FindKind kind = FindKindOf(panel, side);
  const int last = LastValue(panel, side, kind);
  const std::vector<std::string>* names = NamesOf(panel, kind);
  const int outputChannel = panel.State.SelectedOutputChannel();
  std::string lower(typed);
  for (char& c : lower) c = static_cast<char>(Lower(c));

  std::vector<int> found;  // those that begin with the text; those that contain it follow
  std::vector<int> containing;
  for (int value = 0; value <= last; ++value) {
    if (!Stops(panel, kind, outputChannel, value)) continue;
    const std::string key = names ? std::string() : KeyText(value);  // keys have no stored names
    const std::string_view name = names ? (*names)[static_cast<std::size_t>(value)] : key;
    switch (MatchOf(name, lower)) {
      case Match::Begins:
        found.push_back(value);
        break;
      case Match::Contains:
        containing.push_back(value);
        break;
      case Match::None:
        break;
    }
  }
  found.insert(found.end(), containing.begin(), containing.end());
  return found;
}

std::string FoundName(const Panel& panel, FindSide side, int value) {
  const FindKind kind = FindKindOf(panel, side);
  if (value < 0 || value > LastValue(panel, side, kind)) return {};
  if (kind == FindKind::Keys) return KeyText(value);
  return (*NamesOf(panel, kind))[static_cast<std::size_t>(value)];
}

void ChooseFound(Panel& panel, FindSide side, int value) {
  const FindKind kind = FindKindOf(panel, side);
  if (value < 0 || value > LastValue(panel, side, kind)) return;
  if (!Stops(panel, kind, panel.State.SelectedOutputChannel(), value)) return;
  UpDown& spinner = side == FindSide::Destination ? panel.View.cmdoutSel : panel.View.cmdInSel;
  spinner.SetValue(value);
}

}  // namespace dazi
