// The panel's picture of the switcher and its settings, with their start values.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "model/ChannelTable.h"
#include "model/InhibitMap.h"

namespace dazi {

// Entries reported for one output: source entries name inputs, tie entries name other outputs.
struct OutputRoute {
  static constexpr int kMaxEntries = 64;
  static constexpr int kMaxTies = 32;

  std::array<int16_t, kMaxEntries> Source{};
  uint8_t RouteByte = 0;
  uint8_t EntryCount = 0;
  std::array<int16_t, kMaxEntries> SourceWordB{};
  std::array<int16_t, kMaxEntries> SourceWordC{};
  std::array<int16_t, kMaxTies> TieOutput{};
  std::array<int16_t, kMaxTies> TieWordB{};
  std::array<int16_t, kMaxTies> TieWordC{};
  uint8_t TieCount = 0;
};

// Bits of InfoPending: information asked of the server and not yet received.
inline constexpr int32_t kInfoCrosspointMap = 0x80;
inline constexpr int32_t kInfoInputAlphas = 0x100;
inline constexpr int32_t kInfoOutputAlphas = 0x200;
inline constexpr int32_t kInfoInhibitMap = 0x1000;
inline constexpr int32_t kInfoSalvos = 0x4000;
inline constexpr int32_t kInfoEverything = 0x5380;

inline constexpr int16_t kNoSalvoPending = 16383;
inline constexpr int16_t kOffSourceSwitcherType = 1301;

// Sentinel texts.
inline constexpr const char* kNoSystem = "NoSystem";
inline constexpr const char* kFirstOutput = "OUT 1";
inline constexpr const char* kOffSource = "- OFF -";
inline constexpr const char* kOffSourceByChannel = "- Off -";
inline constexpr const char* kNoSalvos = "No Salvos";
inline constexpr const char* kSalvoModeText = "Salvo Mode";

// What the server reported for one output's entries, in order: a tie names another output, a
// source an input. Words B and C are kept as received.
struct RouteEntry {
  bool Tie = false;
  int16_t A = 0;
  int16_t B = 0;
  int16_t C = 0;
};

// The panel's picture of the switcher and of what the operator chose. The switcher's channels,
// routes and inhibits have one owner: they are read through the accessors and changed only
// through the operations below, which both links call and which keep counts and lists in step.
// The selection, the modes and the links' bookkeeping are plain fields of the routines that own
// them.
class SwitcherState {
 public:
  const ChannelTable& Inputs() const { return inputs_; }
  const ChannelTable& Outputs() const { return outputs_; }
  const ChannelTable& Salvos() const { return salvos_; }
  int InputCount() const { return inputs_.Count(); }
  int OutputCount() const { return outputs_.Count(); }
  int SalvoCount() const { return salvos_.Count(); }

  // One record per output channel, as far as the link has sized it.
  const std::vector<OutputRoute>& CrosspointMap() const { return crosspointMap_; }
  const OutputRoute* Route(int outputChannel) const {
    return CheckedAt(crosspointMap_, outputChannel);
  }
  const InhibitMap& Inhibit() const { return inhibit_; }
  // The key of a salvo number; null for a salvo without one.
  const int16_t* SalvoKey(int salvo) const { return CheckedAt(salvoKey_, salvo); }
  const std::vector<int16_t>& SalvoKeys() const { return salvoKey_; }

  // The chosen destination's channel (-1 when the list holds none) and its route (null when the
  // map has no record for it): the one way to what feeds the destination.
  int SelectedOutputChannel() const {
    const int16_t* channel = outputs_.ChannelAt(SelectedOutput);
    return channel ? *channel : -1;
  }
  const OutputRoute* ChosenRoute() const { return Route(SelectedOutputChannel()); }

  // The start: `count` unnamed inputs and outputs, "NoSystem" and "OUT 1" first, a map of
  // `count` empty records and an empty inhibit map of the same bounds; no salvos.
  void Start(int count);
  // New inputs or outputs in selector order (names, channel numbers), counted whole; the map and
  // the inhibit map are left for the link to fit (FitRoutes, RecreateInhibits).
  void ReplaceInputs(std::vector<std::string> alphas, std::vector<int16_t> channels);
  void ReplaceOutputs(std::vector<std::string> alphas, std::vector<int16_t> channels);
  // The off source of a type-1301 switcher, after the received inputs on a channel of its own.
  void AddOffSource(int16_t channel) { inputs_.Append(kOffSource, channel); }
  void ReplaceInputAlphasByChannel(std::vector<std::string> names);
  void ReplaceOutputAlphasByChannel(std::vector<std::string> names);
  // Salvos in selector order with their salvo numbers; none: `text` stands alone on the list.
  void ReplaceSalvos(std::vector<std::string> names, std::vector<int16_t> numbers);
  void ClearSalvos(std::string text) { salvos_.Clear(std::move(text)); }
  // The salvos' keys by salvo number; none: the list reads "No Salvos". The count follows.
  void ReplaceSalvoKeys(std::vector<int16_t> keys);

  // One record per output, keeping the records of the outputs that remain.
  void FitRoutes();
  // `records` empty records.
  void ReplaceRoutes(size_t records);
  // Source(0) of an output: a take report, or a map that names one source per output. False
  // when the map has no record for the output.
  bool ApplyRoute(int outputChannel, int inputChannel) {
    if (!Route(outputChannel)) return false;
    crosspointMap_[static_cast<size_t>(outputChannel)].Source[0] =
        static_cast<int16_t>(inputChannel);
    return true;
  }
  // An output's sources, in order (at most 64); none: Source(0) = InputCount-1.
  void StoreSources(int outputChannel, const int16_t* sources, size_t count);
  // An output's entries as the crosspoint map gives them (at most 64, at most 32 ties); word C
  // only from the long form. Slots no entry reaches keep what they held.
  void StoreEntries(int outputChannel, uint8_t routeByte, const std::vector<RouteEntry>& entries,
                    bool longForm);

  // Empty, with room for every output and input and one more of each.
  void RecreateInhibits() { inhibit_.Recreate(OutputCount() + 1, InputCount() + 1); }
  void ReplaceInhibits(InhibitMap map) { inhibit_ = std::move(map); }
  // The flag of inputs first .. end-1 of one output; what lies outside the map is not stored.
  void StoreInhibitRun(int outputChannel, int first, int end, int flag);

  // The switcher link went down: both lists read "NoSystem" and the selection goes back to the
  // top; the counts stay as the switcher last reported them.
  void LinkDown();

  int SwitcherType = 0;

  // Selection and mode.
  int SelectedOutput = 0;
  int SelectedInput = 0;
  bool SalvoMode = false;
  bool KeyEntryMode = false;
  int PendingSalvo = 0;
  // The spinners' change events do nothing while it is true: a routine that moves a spinner
  // itself, or applies a map, holds `const ScopedValue busy(SelectorsBusy, true)`.
  bool SelectorsBusy = false;
  int PresetColor = 7;
  int ActiveColor = 12;
  int DisplayListTarget = 0;
  std::filesystem::path AppPath;

  // Link bookkeeping.
  bool LinkState = false;
  bool SocketConnected = false;
  int PollMisses = 0;
  int32_t InfoPending = kInfoEverything;
  int InfoRetryTicks = 0;
  bool InitialDataShown = false;
  bool PasswordPromptOpen = false;
  uint8_t ServerStatusByte = 0;
  int FileFailTicks = 0;
  bool FileLinkDown = false;
  // File Mode change markers: the first byte of the crosspoint file (-1: the map must be read
  // whatever that byte is) and the stamps of the status, alpha and inhibit files last read.
  int CrosspointSerial = -1;
  std::string StatusFileStamp;
  std::string AlphaFileStamp;
  std::string InhibitFileStamp;
  bool OutageMessageOpen = false;  // the lost-files message is on the screen

 private:
  ChannelTable inputs_;
  ChannelTable outputs_;
  ChannelTable salvos_;
  std::vector<int16_t> salvoKey_;
  std::vector<OutputRoute> crosspointMap_;
  InhibitMap inhibit_;
};

enum LinkMode : int16_t { FileMode = 0, TCPIPMode = -1 };

inline constexpr int32_t kStayOnTopYes = -1;  // above all other windows
inline constexpr int32_t kStayOnTopNo = -2;   // ordinary stacking

struct PanelSettings {
  dazi::LinkMode LinkMode = dazi::FileMode;
  std::string ServerPath;
  int RefreshRate = 100;        // ms, 1..32500
  int FileTimeOut = 50;         // s, 1..3600
  int32_t FileMissLimit = 500;  // ticks of RefreshRate; wide enough for every accepted pair
  std::string IPAddress = "0.0.0.0";
  int32_t TCPIPPort = 1250;
  int IPPollPeriod = 1;      // s, 1..3600
  int IPAllowedMisses = 30;  // polls, 1..3600
  std::u16string Password;   // 16-bit code units, in clear
  bool HideInhibits = true;
  std::string InputDisplayList;
  std::string OutputDisplayList;
  int32_t StayOnTop = kStayOnTopYes;
};

// 1000 / RefreshRate x FileTimeOut, rounded half to even.
int32_t ComputeFileMissLimit(int refreshRate, int fileTimeOut);

// False for an empty address and for "0.0.0.0", which the settings hold until a server is named:
// the panel never tries to connect without one (the system would take 0.0.0.0 for itself).
bool HasServerAddress(const PanelSettings& settings);

// Interval of the link timer in TCP/IP Mode, in ms (64-bit: poll periods up to an hour fit).
int64_t PollIntervalMs(const PanelSettings& settings);

struct Panel;
void InitVariables(Panel& panel);

// "Inpt0001" style names for a channel, 1-based, four digits.
std::string GeneratedInputName(int channel);
std::string GeneratedOutputName(int channel);

}  // namespace dazi
