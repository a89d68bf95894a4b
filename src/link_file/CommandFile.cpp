// The command file that asks the server for a crosspoint change: source, then destination.
#include "core/Panel.h"
#include "link_file/NetworkFiles.h"
#include "link_file/ServerFiles.h"

namespace dazi {

namespace {

constexpr int kShortLimit = 256;        // both below: one byte each
constexpr int kLargestChannel = 32767;  // signed 16-bit

void AppendInteger(FileBytes& bytes, int value) {
  bytes.push_back(static_cast<uint8_t>(value & 0xFF));
  bytes.push_back(static_cast<uint8_t>(value >> 8 & 0xFF));
}

}  // namespace

bool WriteCommandFile(Panel& panel, int input, int output) {
  // A channel that neither layout can carry fails the Take like an unwritable file.
  if (input < 0 || output < 0 || input > kLargestChannel || output > kLargestChannel) return false;
  if (panel.Settings.ServerPath.empty()) return false;
  FileBytes bytes;
  const char* name = kShortCommandFile;
  if (input < kShortLimit && output < kShortLimit) {
    bytes = {static_cast<uint8_t>(input), static_cast<uint8_t>(output)};
  } else {
    name = kLongCommandFile;
    AppendInteger(bytes, input);
    AppendInteger(bytes, output);
  }
  ServerFiles files(panel);
  return files.WriteAtStart(name, bytes);
}

}  // namespace dazi
