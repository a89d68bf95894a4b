// Everything the main window shows, as plain data. Behaviour writes it; the window applies it.
#pragma once

#include <cstdint>
#include <string>

#include "model/UpDown.h"

namespace dazi {

struct DisplayBox {
  std::string Text;
  int Color = 0;  // index into the 16-colour palette
};

struct MenuItem {
  std::string Caption;
  bool Enabled = true;
};

struct TimerState {
  int64_t IntervalMs = 0;
  bool Enabled = false;
};

inline constexpr const char* kCaptionConnected = "ZOR Tolen DaziVedur - Connected";
inline constexpr const char* kCaptionNotConnected = "ZOR Tolen DaziVedur - Not Connected";
inline constexpr const char* kAppTitle = "Tolen DaziVedur";

struct MainView {
  DisplayBox txtOutputDisp{"", 12};
  DisplayBox txtInputDisp{"", 12};
  DisplayBox txtPresetDisp{"", 7};

  std::string Caption = kCaptionNotConnected;
  std::string StatusPanel1 = "Serial Link (NC) ";
  std::string StatusPanel2 = "Server Not Defined  ";

  MenuItem mnuSalvoMode{"Salvo Mode", true};
  MenuItem mnuConnect{"&Connect", true};

  UpDown cmdoutSel;
  UpDown cmdInSel;
  // Moves on whenever what the spinners step through changes meaning: the mode changed or the
  // switcher link went down. Whatever was offered from the old lists (a find list) is withdrawn.
  int SelectorEpoch = 0;

  TimerState tmrFileCheck{100, true};
  TimerState tmrPoll{10, true};
  TimerState tmrSalvoMsg{1000, false};
};

}  // namespace dazi
