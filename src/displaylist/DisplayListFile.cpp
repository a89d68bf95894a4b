#include "displaylist/DisplayListFile.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

#include "model/Panel.h"

namespace dazi {

namespace fs = std::filesystem;

namespace {

constexpr int16_t kFormatNumber = 1;
// Lengths are signed 16-bit in the file; no switcher has more channels than this.
constexpr size_t kMaxListLength = 32767;
// Format number, two lengths, two longest lists: nothing past this is ever read.
constexpr size_t kMaxUsefulBytes = 2 + 2 * (2 + kMaxListLength);

struct DisplayLists {
  std::string Inputs;
  std::string Outputs;
};

void AppendInt16(std::string& out, int16_t value) {
  const auto bits = static_cast<uint16_t>(value);
  out.push_back(static_cast<char>(bits & 0xFF));
  out.push_back(static_cast<char>(bits >> 8));
}

void AppendList(std::string& out, const std::string& list) {
  const size_t length = std::min(list.size(), kMaxListLength);
  AppendInt16(out, static_cast<int16_t>(length));
  out.append(list, 0, length);
}

// Reads a length and that many bytes at pos; nothing when either runs past the end.
std::optional<std::string> TakeList(const std::string& bytes, size_t& pos) {
  if (bytes.size() - pos < 2) return std::nullopt;
  const auto low = static_cast<uint8_t>(bytes[pos]);
  const auto high = static_cast<uint8_t>(bytes[pos + 1]);
  const auto length = static_cast<int16_t>(static_cast<uint16_t>(low | high << 8));
  pos += 2;
  if (length < 0 || bytes.size() - pos < static_cast<size_t>(length)) return std::nullopt;
  std::string list = bytes.substr(pos, static_cast<size_t>(length));
  pos += static_cast<size_t>(length);
  return list;
}

// Both lists or neither: a damaged file must not leave one list from it and one from before.
std::optional<DisplayLists> ParseDisplayLists(const std::string& bytes) {
  if (bytes.size() < 2) return std::nullopt;  // the format number, not checked
  size_t pos = 2;
  auto inputs = TakeList(bytes, pos);
  if (!inputs) return std::nullopt;
  auto outputs = TakeList(bytes, pos);
  if (!outputs) return std::nullopt;
  return DisplayLists{std::move(*inputs), std::move(*outputs)};
}

std::optional<std::string> ReadUsefulBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(kMaxUsefulBytes, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) return std::nullopt;
  bytes.resize(static_cast<size_t>(in.gcount()));
  return bytes;
}

}  // namespace

fs::path DisplayListFilePath(const Panel& panel) {
  return panel.SettingsFolderInUse() / kDisplayListFileName;
}

void LoadDisplayList(Panel& panel) {
  // Nothing to tell the operator on a failure: the lists from the settings file stay.
  constexpr const char* kRefused = "DisplayList.dat refused";
  try {
    const fs::path path = DisplayListFilePath(panel);
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return;
    const std::optional<std::string> bytes = ReadUsefulBytes(path);
    if (!bytes) return LogFailure(panel.Log, kRefused, "it could not be read");
    std::optional<DisplayLists> lists = ParseDisplayLists(*bytes);
    if (!lists) return LogFailure(panel.Log, kRefused, "its lists run past its end");
    panel.Settings.InputDisplayList = std::move(lists->Inputs);
    panel.Settings.OutputDisplayList = std::move(lists->Outputs);
  } catch (const std::exception& error) {
    LogFailure(panel.Log, "Error Loading Display Lists", error.what());
  }
}

void SaveDisplayList(Panel& panel) {
  try {
    const fs::path path = DisplayListFilePath(panel);
    std::error_code ignored;
    // A read-only file is made writable, as the operator would expect a save to land.
    if (fs::is_regular_file(path, ignored)) {
      fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                      ignored);
    }

    std::string bytes;
    AppendInt16(bytes, kFormatNumber);
    AppendList(bytes, panel.Settings.InputDisplayList);
    AppendList(bytes, panel.Settings.OutputDisplayList);

    // Written over the start of the file without shortening it, as older panels did; loading
    // stops after the second list, so what lies beyond is never read.
    std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
    if (!out.is_open()) out.open(path, std::ios::binary | std::ios::out);
    if (!out.is_open())
      return LogFailure(panel.Log, "DisplayList.dat not written", "it could not be opened");
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  } catch (const std::exception& error) {
    // The lists are saved again at the next settings save.
    LogFailure(panel.Log, "Error Saving Display Lists", error.what());
  }
}

}  // namespace dazi
