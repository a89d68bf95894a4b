#include "link_tcp/LinkLogText.h"

namespace dazi {

namespace {

constexpr size_t kMaxShownBytes = 64;
constexpr uint8_t kPasswordCommand = 128;
// 128, 0, length, characters..., checksum, 255.
constexpr size_t kPasswordTextStart = 3;

const char* PanelMessageName(uint8_t command) {
  switch (command) {
    case 245:
      return "poll";
    case 244:
      return "poll answer";
    case 242:
      return "information request";
    case 254:
      return "crosspoint change";
    case 234:
      return "salvo execute";
    case 128:
      return "password";
    case 129:
      return "query answer";
    default:
      return "unknown";
  }
}

const char* ServerMessageName(uint8_t command) {
  switch (command) {
    case 245:
      return "poll";
    case 244:
      return "poll answer (switcher link OK)";
    case 241:
      return "poll answer (switcher link down)";
    case 252:
      return "alpha table";
    case 246:
      return "crosspoint map";
    case 248:
      return "inhibit map";
    case 254:
      return "take report";
    case 229:
      return "switcher type";
    case 235:
      return "salvo events";
    case 129:
      return "query";
    case 242:
      return "server request";
    default:
      return "unknown";
  }
}

}  // namespace

const char* LinkMessageName(LinkSender sender, uint8_t command) {
  return sender == LinkSender::Panel ? PanelMessageName(command) : ServerMessageName(command);
}

std::string DescribeLinkMessage(LinkSender sender, const uint8_t* data, size_t size) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  if (size == 0) return "empty message";
  std::string text = LinkMessageName(sender, data[0]);
  text += ':';
  const bool password = sender == LinkSender::Panel && data[0] == kPasswordCommand;
  const size_t shown = size < kMaxShownBytes ? size : kMaxShownBytes;
  for (size_t i = 0; i < shown; ++i) {
    text += ' ';
    // A log is read by more people than the password is meant for; its length stays visible.
    if (password && i >= kPasswordTextStart && i + 2 < size) {
      text += "**";
      continue;
    }
    text += kHex[data[i] >> 4];
    text += kHex[data[i] & 15];
  }
  if (shown < size) text += " ... (" + std::to_string(size) + " bytes)";
  return text;
}

}  // namespace dazi
