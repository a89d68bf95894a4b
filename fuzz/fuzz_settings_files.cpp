// Feeds arbitrary bytes to the settings and display-list readers, then checks that whatever
// was loaded survives a save and a second load unchanged.
//
// Input: the settings file, optionally followed by "@@DAT@@" and the display-list file.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "displaylist/DisplayListFile.h"
#include "model/NullPorts.h"
#include "model/Panel.h"
#include "settings/IniFile.h"

namespace {

using dazi::IdleSocket;
using dazi::QuietUi;

namespace fs = std::filesystem;

constexpr std::string_view kDisplayListMarker = "@@DAT@@";
// The display-list file holds at most this many flags per list.
constexpr size_t kMaxListLength = 32767;

const fs::path& WorkDir() {
  static const fs::path dir = [] {
    fs::path path = fs::temp_directory_path() / ("dazi-fuzz-settings-" + std::to_string(getpid()));
    fs::create_directories(path);
    return path;
  }();
  return dir;
}

void WriteFile(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Check(bool condition) {
  if (!condition) std::abort();
}

struct LoadedPanel {
  LoadedPanel() : panel(ui, socket) {
    dazi::InitVariables(panel);
    panel.State.AppPath = WorkDir();
  }
  QuietUi ui;
  IdleSocket socket;
  dazi::Panel panel;
};

void CheckSameSettings(const dazi::PanelSettings& a, const dazi::PanelSettings& b) {
  Check(a.LinkMode == b.LinkMode);
  Check(a.ServerPath == b.ServerPath);
  Check(a.RefreshRate == b.RefreshRate);
  Check(a.FileTimeOut == b.FileTimeOut);
  // A bad time-out leaves the first panel's miss limit where it was; the saved file is whole,
  // so the second load derives it from the saved rate and time-out.
  Check(b.FileMissLimit == dazi::ComputeFileMissLimit(b.RefreshRate, b.FileTimeOut));
  Check(a.IPAddress == b.IPAddress);
  Check(a.TCPIPPort == b.TCPIPPort);
  Check(a.IPPollPeriod == b.IPPollPeriod);
  Check(a.IPAllowedMisses == b.IPAllowedMisses);
  Check(a.Password == b.Password);
  Check(a.HideInhibits == b.HideInhibits);
  Check(a.StayOnTop == b.StayOnTop);
  Check(a.InputDisplayList.substr(0, kMaxListLength) == b.InputDisplayList);
  Check(a.OutputDisplayList.substr(0, kMaxListLength) == b.OutputDisplayList);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const fs::path& dir = WorkDir();
  for (const char* name :
       {"zorntpnl.ini", "zorntpnl.ini.bad", "zorntpnl.ini.new", "DisplayList.dat"}) {
    std::error_code ignored;
    fs::remove_all(dir / name, ignored);
  }

  const size_t marker = input.rfind(kDisplayListMarker);
  WriteFile(dir / dazi::kSettingsFileName, input.substr(0, marker));
  if (marker != std::string_view::npos) {
    WriteFile(dir / dazi::kDisplayListFileName, input.substr(marker + kDisplayListMarker.size()));
  }

  LoadedPanel first;
  dazi::ReadIniFile(first.panel);
  const bool readable = fs::exists(dir / dazi::kSettingsFileName);
  const bool movedAside = fs::exists(dir / "zorntpnl.ini.bad");
  Check(readable != movedAside);

  if (!dazi::WriteIniFile(first.panel)) return 0;
  LoadedPanel second;
  Check(dazi::ReadIniFile(second.panel));
  CheckSameSettings(first.panel.Settings, second.panel.Settings);
  return 0;
}
