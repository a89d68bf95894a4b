#include "link_tcp/LinkLogText.h"

#include "link_tcp/Commands.h"

namespace dazi {

namespace {

constexpr size_t kMaxShownBytes = 64;
// 128, 0, length, characters..., checksum, 255.
constexpr size_t kPasswordTextStart = 3;

const char* PanelMessageName(uint8_t command) {
  switch (command) {
    case protocol::kPoll:
      return "poll";
    case protocol::kPollAnswer:
      return "poll answer";
    case protocol::kInfoRequest:
      return "information request";
    case protocol::kCrosspointChange:
      return "crosspoint change";
    case protocol::kSalvoExecute:
      return "salvo execute";
    case protocol::kPassword:
      return "password";
    case protocol::kQuery:
      return "query answer";
    default:
      return "unknown";
  }
}

const char* ServerMessageName(uint8_t command) {
  switch (command) {
    case protocol::kPoll:
      return "poll";
    case protocol::kPollAnswer:
      return "poll answer (switcher link OK)";
    case protocol::kPollAnswerLinkDown:
      return "poll answer (switcher link down)";
    case protocol::kAlphaTable:
      return "alpha table";
    case protocol::kCrosspointMap:
      return "crosspoint map";
    case protocol::kInhibitMap:
      return "inhibit map";
    case protocol::kCrosspointChange:
      return "take report";
    case protocol::kSwitcherType:
      return "switcher type";
    case protocol::kSalvoEvents:
      return "salvo events";
    case protocol::kQuery:
      return "query";
    case protocol::kInfoRequest:
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
  const bool password = sender == LinkSender::Panel && data[0] == protocol::kPassword;
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
