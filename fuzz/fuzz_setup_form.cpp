// Feeds arbitrary text to the setup dialog's boxes and presses OK, and to the display-list
// editor's key reader: nothing may crash or overflow, and an OK that goes through leaves only
// settings within their ranges.
//
// Input: the boxes' texts separated by line feeds, in the order address, port, poll period,
// refresh rate, time-out, allowed misses, password; then a list key.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/NullPorts.h"
#include "model/Panel.h"
#include "panel/DisplayListForm.h"
#include "panel/SetupForm.h"

namespace {

namespace fs = std::filesystem;

void Check(bool condition) {
  if (!condition) std::abort();
}

const fs::path& WorkDir() {
  static const fs::path dir = [] {
    fs::path path = fs::temp_directory_path() / ("dazi-fuzz-setup-" + std::to_string(getpid()));
    fs::create_directories(path);
    return path;
  }();
  return dir;
}

std::vector<std::string> Fields(std::string_view input, size_t count) {
  std::vector<std::string> fields(count);
  for (size_t i = 0; i < count && !input.empty(); ++i) {
    const size_t end = input.find('\n');
    fields[i] = std::string(input.substr(0, end));
    input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
  }
  return fields;
}

bool IsDottedQuad(const std::string& text) {
  int parts = 0;
  size_t pos = 0;
  while (pos <= text.size()) {
    const size_t end = std::min(text.find('.', pos), text.size());
    const std::string part = text.substr(pos, end - pos);
    if (part.empty() || part.size() > 3 ||
        part.find_first_not_of("0123456789") != std::string::npos)
      return false;
    if (std::stoi(part) > 255 || (part.size() > 1 && part[0] == '0')) return false;
    ++parts;
    pos = end + 1;
  }
  return parts == 4;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> f =
      Fields(std::string_view(reinterpret_cast<const char*>(data), size), 8);

  std::string address = f[0];
  if (dazi::CheckIPAddress(address)) Check(IsDottedQuad(address));
  const int channel = dazi::ChannelOfKey(f[7]);
  Check(channel >= -1);

  dazi::QuietUi ui;
  dazi::IdleSocket socket;
  dazi::Panel panel(ui, socket);
  dazi::InitVariables(panel);
  panel.State.AppPath = WorkDir();
  panel.Settings.LinkMode = dazi::TCPIPMode;
  dazi::SetupForm form;
  form.Tag = dazi::kInitialTag;
  form.Visible = true;
  dazi::SetupForm_Activate(panel, form);
  form.txtIP = f[0];
  form.txtIpPort = f[1];
  form.txtPollRate = f[2];
  form.txtRefresh = f[3];
  form.txtTimeOut = f[4];
  form.txtIPTimeOut = f[5];
  form.txtPassword.assign(f[6].begin(), f[6].end());
  dazi::SetupForm_cmdSelect_Click(panel, form);

  if (!form.Visible) {
    const dazi::PanelSettings& s = panel.Settings;
    Check(IsDottedQuad(s.IPAddress));
    Check(s.TCPIPPort >= 1 && s.TCPIPPort <= 65535);
    Check(s.IPPollPeriod >= 1 && s.IPPollPeriod <= 3600);
    Check(s.RefreshRate >= 1 && s.RefreshRate <= 32500);
    Check(s.FileTimeOut >= 1 && s.FileTimeOut <= 3600);
    Check(s.IPAllowedMisses >= 1 && s.IPAllowedMisses <= 3600);
    Check(panel.View.tmrFileCheck.IntervalMs == int64_t{1000} * s.IPPollPeriod);
  }
  return 0;
}
