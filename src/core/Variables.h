// The panel's picture of the switcher and its settings, with their start values.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/InhibitMap.h"

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

struct SwitcherState {
  int InputCount = 256;
  int OutputCount = 256;
  int SalvoCount = 0;
  int SwitcherType = 0;

  // Alpha table: selector order (sorted in TCP/IP Mode, file order in File Mode).
  std::vector<std::string> InputAlpha;
  std::vector<std::string> OutputAlpha;
  std::vector<int16_t> InputChannelAt;
  std::vector<int16_t> OutputChannelAt;
  std::vector<int16_t> InputPositionOf;
  std::vector<int16_t> OutputPositionOf;
  std::vector<std::string> InputAlphaByChannel;
  std::vector<std::string> OutputAlphaByChannel;

  // Salvos; empty until the salvo information arrives.
  std::vector<std::string> SalvoName;
  std::vector<int16_t> SalvoNumberAt;
  std::vector<int16_t> SalvoPositionOf;
  std::vector<int16_t> SalvoKey;

  std::vector<OutputRoute> CrosspointMap;  // by output channel
  InhibitMap Inhibit;                      // by output channel, input channel

  // Selection and mode.
  int SelectedOutput = 0;
  int SelectedInput = 0;
  bool SalvoMode = false;
  bool KeyEntryMode = false;
  int PendingSalvo = 0;
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
