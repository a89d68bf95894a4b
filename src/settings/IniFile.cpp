#include "settings/IniFile.h"

// Debian's SimpleIni keeps its template bodies behind this switch; this is the one file that
// uses it, so the reader is instantiated here rather than linked from a prebuilt library.
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>

#include "displaylist/DisplayListFile.h"
#include "model/Panel.h"
#include "settings/IniValues.h"
#include "settings/PasswordText.h"
#include "settings/ReplaceFile.h"

namespace dazi {

namespace fs = std::filesystem;

namespace {

struct IniKey {
  const char* Section;
  const char* Key;
};

// The keys in the order they are written.
constexpr IniKey kLinkModeKey{"SETUP", "TCP/IP Mode"};
constexpr IniKey kServerPathKey{"SERIAL", "Server path"};
constexpr IniKey kRefreshRateKey{"SERIAL", "Refresh Rate"};
constexpr IniKey kFileTimeOutKey{"SERIAL", "Time Out"};
constexpr IniKey kIPAddressKey{"TCP/IP", "IP Address"};
constexpr IniKey kPortKey{"TCP/IP", "TCP/IP Port"};
constexpr IniKey kPollPeriodKey{"TCP/IP", "IP Poll Period"};
constexpr IniKey kAllowedMissesKey{"TCP/IP", "Time Out"};
constexpr IniKey kPasswordKey{"TCP/IP", "Password"};
constexpr IniKey kHideInhibitsKey{"CONFIG", "Hide Inhibits"};
constexpr IniKey kInputListKey{"CONFIG", "Input Display List"};
constexpr IniKey kOutputListKey{"CONFIG", "Output Display List"};
constexpr IniKey kStayOnTopKey{"CONFIG", "Stay On Top"};

// Far more than the panel ever writes (two lists of at most 32767 flags and a few short
// values); anything larger is not a settings file and is not worth holding in memory.
constexpr size_t kMaxSettingsFileBytes = size_t{1} << 20;

constexpr int32_t kDefaultPort = 1250;

// Stops soon after the limit, so an oversized file shows itself without being read whole.
std::optional<std::string> ReadFilePrefix(const fs::path& path, size_t limit) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  char chunk[16384];
  while (bytes.size() <= limit && (in.read(chunk, sizeof chunk) || in.gcount() > 0)) {
    bytes.append(chunk, static_cast<size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

// A file the panel cannot use is kept for the operator to inspect rather than deleted.
void MoveAside(const fs::path& path) {
  fs::path bad = path;
  bad += ".bad";
  std::error_code ignored;
  fs::rename(path, bad, ignored);
}

class SettingsText {
 public:
  explicit SettingsText(const std::string& bytes) : ini_(/*isUtf8=*/false, /*multiKey=*/true) {
    ini_.SetUnicode(false);
    ini_.SetMultiLine(false);
    loaded_ = ini_.LoadData(bytes.data(), bytes.size()) >= 0;
  }

  bool Loaded() const { return loaded_; }

  // Empty when absent. Of duplicated keys the first in the file counts, as with the Windows
  // profile functions that wrote and read these files before.
  std::string Get(const IniKey& key) const {
    CSimpleIniA::TNamesDepend values;
    if (!ini_.GetAllValues(key.Section, key.Key, values) || values.empty()) return {};
    const auto first =
        std::min_element(values.begin(), values.end(),
                         [](const auto& a, const auto& b) { return a.nOrder < b.nOrder; });
    return first->pItem ? first->pItem : "";
  }

 private:
  CSimpleIniA ini_;
  bool loaded_ = false;
};

std::optional<int> ReadClamped(const SettingsText& text, const IniKey& key, int low, int high) {
  const std::optional<int> value = ParseInt16Setting(text.Get(key));
  if (!value) return std::nullopt;
  return std::clamp(*value, low, high);
}

// Loads the keys in file order. Stops at the first bad value; what was loaded before it stays.
bool LoadSettings(Panel& panel, const SettingsText& text) {
  PanelSettings& s = panel.Settings;

  s.LinkMode = text.Get(kLinkModeKey) == "Yes" ? TCPIPMode : FileMode;
  panel.View.mnuConnect.Enabled = s.LinkMode == TCPIPMode;
  panel.View.mnuSalvoMode.Enabled = s.LinkMode == TCPIPMode;

  s.ServerPath = text.Get(kServerPathKey);

  const auto refreshRate = ReadClamped(text, kRefreshRateKey, 1, 32500);
  if (!refreshRate) return false;
  s.RefreshRate = *refreshRate;
  const auto fileTimeOut = ReadClamped(text, kFileTimeOutKey, 1, 3600);
  if (!fileTimeOut) return false;
  s.FileTimeOut = *fileTimeOut;
  s.FileMissLimit = ComputeFileMissLimit(s.RefreshRate, s.FileTimeOut);

  s.IPAddress = text.Get(kIPAddressKey);

  const auto port = ParseLeadingInt32(text.Get(kPortKey));
  if (!port) return false;
  s.TCPIPPort = *port < 1 ? kDefaultPort : *port;

  const auto pollPeriod = ReadClamped(text, kPollPeriodKey, 1, 3600);
  if (!pollPeriod) return false;
  s.IPPollPeriod = *pollPeriod;
  const auto allowedMisses = ReadClamped(text, kAllowedMissesKey, 1, 3600);
  if (!allowedMisses) return false;
  s.IPAllowedMisses = *allowedMisses;

  s.Password = DecodePasswordValue(text.Get(kPasswordKey));

  s.HideInhibits = text.Get(kHideInhibitsKey) == "Yes";

  s.InputDisplayList = text.Get(kInputListKey);
  s.OutputDisplayList = text.Get(kOutputListKey);

  s.StayOnTop = text.Get(kStayOnTopKey) == "Yes" ? kStayOnTopYes : kStayOnTopNo;
  return true;
}

void ApplyToMainWindow(Panel& panel) {
  const PanelSettings& s = panel.Settings;
  if (s.LinkMode == TCPIPMode) {
    panel.View.tmrFileCheck.IntervalMs = PollIntervalMs(s);
    panel.View.StatusPanel2 = s.IPAddress;
  } else {
    panel.View.tmrFileCheck.IntervalMs = s.RefreshRate;
  }
  panel.Ui.SetWindowPos(s.StayOnTop);
}

// A value must stay on its own line, or it would add keys of its own to the file.
std::string OneLine(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
  return text;
}

// Only "1" means shown, so writing every other flag as "0" keeps the meaning while keeping
// blanks (trimmed by INI readers) and line breaks out of the file.
std::string AsFlags(std::string list) {
  for (char& c : list) c = c == '1' ? '1' : '0';
  return list;
}

class SettingsWriter {
 public:
  void Put(const IniKey& key, std::string_view value) {
    if (section_ != key.Section) {
      if (!section_.empty()) text_ += kLineEnd;
      section_ = key.Section;
      text_.append("[").append(section_).append("]").append(kLineEnd);
    }
    text_.append(key.Key).append("=").append(value).append(kLineEnd);
  }
  void Put(const IniKey& key, int64_t value) { Put(key, std::to_string(value)); }

  const std::string& Text() const { return text_; }

 private:
  // CRLF everywhere: the files are shared with Windows machines, and every reader here
  // accepts it.
  static constexpr const char* kLineEnd = "\r\n";
  std::string section_;
  std::string text_;
};

std::string ComposeSettingsText(const PanelSettings& s) {
  SettingsWriter w;
  w.Put(kLinkModeKey, s.LinkMode == TCPIPMode ? "Yes" : "No");
  w.Put(kServerPathKey, OneLine(s.ServerPath));
  w.Put(kRefreshRateKey, s.RefreshRate);
  w.Put(kFileTimeOutKey, s.FileTimeOut);
  w.Put(kIPAddressKey, OneLine(s.IPAddress));
  w.Put(kPortKey, s.TCPIPPort);
  w.Put(kPollPeriodKey, s.IPPollPeriod);
  w.Put(kAllowedMissesKey, s.IPAllowedMisses);
  w.Put(kPasswordKey, EncodePasswordValue(s.Password));
  w.Put(kHideInhibitsKey, s.HideInhibits ? "Yes" : "No");
  w.Put(kInputListKey, AsFlags(s.InputDisplayList));
  w.Put(kOutputListKey, AsFlags(s.OutputDisplayList));
  w.Put(kStayOnTopKey, s.StayOnTop == kStayOnTopYes ? "Yes" : "No");
  return w.Text();
}

// Ends a read or write of the settings file, leaving its reason in the link log.
bool Refuse(const Panel& panel, const char* what, const char* why) {
  LogFailure(panel.Log, what, why);
  return false;
}

}  // namespace

fs::path SettingsFilePath(const Panel& panel) {
  return panel.SettingsFolderInUse() / kSettingsFileName;
}

bool ReadIniFile(Panel& panel) {
  constexpr const char* kRefused = "zorntpnl.ini refused";
  try {
    const fs::path path = SettingsFilePath(panel);
    std::error_code ec;
    if (!fs::exists(path, ec)) return false;
    // Not a file we could have written (a directory, say): leave it where it is.
    if (!fs::is_regular_file(path, ec)) return Refuse(panel, kRefused, "not a regular file");
    const std::optional<std::string> bytes = ReadFilePrefix(path, kMaxSettingsFileBytes);
    if (!bytes) return Refuse(panel, kRefused, "it could not be read");
    if (bytes->size() > kMaxSettingsFileBytes) {
      MoveAside(path);
      return Refuse(panel, kRefused, "too large; moved aside to zorntpnl.ini.bad");
    }
    const SettingsText text(*bytes);
    if (!text.Loaded()) return Refuse(panel, kRefused, "not in the settings file's layout");
    if (!LoadSettings(panel, text)) {
      MoveAside(path);
      return Refuse(panel, kRefused, "a value out of range; moved aside to zorntpnl.ini.bad");
    }
    ApplyToMainWindow(panel);
    LoadDisplayLists(panel);
    return true;
  } catch (const std::exception& error) {
    return Refuse(panel, "Error Reading Settings", error.what());
  }
}

void LoadDisplayLists(Panel& panel) {
  LoadDisplayList(panel);
  PanelSettings& s = panel.Settings;
  if (s.InputDisplayList.empty())
    s.InputDisplayList.assign(static_cast<size_t>(std::max(panel.State.InputCount(), 0)), '1');
  if (s.OutputDisplayList.empty())
    s.OutputDisplayList.assign(static_cast<size_t>(std::max(panel.State.OutputCount(), 0)), '1');
}

bool WriteIniFile(Panel& panel) {
  try {
    if (panel.Settings.LinkMode != TCPIPMode && panel.Settings.ServerPath.empty()) return false;
    const std::string text = ComposeSettingsText(panel.Settings);
    const fs::path path = SettingsFilePath(panel);
    // One retry, for a passing failure such as a virus scanner holding the file.
    if (!ReplacePrivateFile(path, text) && !ReplacePrivateFile(path, text))
      return Refuse(panel, "zorntpnl.ini not written", "it could not be replaced");
    SaveDisplayList(panel);
    return true;
  } catch (const std::exception& error) {
    return Refuse(panel, "Error Writing Settings", error.what());
  }
}

}  // namespace dazi
