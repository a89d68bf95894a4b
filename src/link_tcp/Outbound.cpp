#include "link_tcp/Outbound.h"

#include <exception>

#include "link_tcp/ByteManipulation.h"
#include "link_tcp/Commands.h"
#include "link_tcp/Connection.h"
#include "link_tcp/LinkLogText.h"
#include "model/Panel.h"

namespace dazi {

namespace {

// A socket that keeps taking only part of a message is given up on rather than retried forever.
constexpr int kMaxWriteAttempts = 100;

constexpr int kControlOrdinary = 1028;
constexpr int kControlOffSource = 1024;

void LogUnsent(Panel& panel, const std::vector<uint8_t>& message, const char* why) {
  if (!panel.Log || message.empty()) return;
  LogFailure(panel.Log, std::string(LinkMessageName(LinkSender::Panel, message[0])) + " not sent",
             why);
}

void Finish(std::vector<uint8_t>& message) {
  message.push_back(ComputeChecksum(message, 0));
  message.push_back(protocol::kEOM);
}

}  // namespace

std::vector<uint8_t> BuildInfoRequest(int32_t mask) {
  std::vector<uint8_t> message{protocol::kInfoRequest};
  int32_t rest = mask;
  for (int i = 0; i < 5; ++i) {
    message.push_back(static_cast<uint8_t>(rest & 127));
    rest /= 128;
  }
  message.insert(message.end(), {0, 0, 0, 0, 0});
  Finish(message);
  return message;
}

std::vector<uint8_t> BuildCrosspointChange(int controlWord, int input, int output) {
  std::vector<uint8_t> message{protocol::kCrosspointChange};
  AppendNumber(message, controlWord);
  AppendNumber(message, input);
  AppendNumber(message, output);
  Finish(message);
  return message;
}

std::vector<uint8_t> BuildSalvoExecute(int salvo) {
  std::vector<uint8_t> message{protocol::kSalvoExecute, 100};
  AppendNumber(message, salvo);
  Finish(message);
  return message;
}

bool PasswordCanTravel(const std::u16string& password) {
  if (password.size() > kMaxPasswordLength) return false;
  // A zero code unit would add no byte and leave the length byte wrong; 128 and above would
  // break the framing on the way.
  for (char16_t c : password)
    if (c == 0 || c >= 128) return false;
  return true;
}

std::optional<std::vector<uint8_t>> BuildPassword(const std::u16string& password) {
  if (!PasswordCanTravel(password)) return std::nullopt;
  std::vector<uint8_t> message{protocol::kPassword, 0, static_cast<uint8_t>(password.size())};
  for (char16_t c : password) message.push_back(static_cast<uint8_t>(c));
  Finish(message);
  return message;
}

std::vector<uint8_t> BuildQueryAnswer() {
  return {protocol::kQuery, 3, 1, 4, protocol::kEOM};
}

bool SendToSwitcher(Panel& panel, const std::vector<uint8_t>& message) {
  try {
    const int length = static_cast<int>(message.size());
    if (panel.Log && panel.Socket.Connected()) panel.Log->Sent(message.data(), message.size());
    for (int attempt = 0; attempt < kMaxWriteAttempts; ++attempt) {
      if (!panel.Socket.Connected()) {
        LogUnsent(panel, message, "send on a closed socket; disconnecting");
        DisconnectFromSwitcher(panel);
        return false;
      }
      if (panel.Socket.Write(message.data(), length) < 1 &&
          panel.Socket.LastError() != kWouldBlock) {
        LogUnsent(panel, message, "the socket refused it");
        return false;
      }
      if (panel.Socket.BytesWritten() == length) return true;
    }
    LogUnsent(panel, message, "the socket kept taking only part of it");
    return false;
  } catch (const std::exception& error) {
    LogFailure(panel.Log, "Error sending to switcher", error.what());
    return false;
  }
}

bool SendInfoRequest(Panel& panel, int32_t mask) {
  try {
    const bool sent = SendToSwitcher(panel, BuildInfoRequest(mask));
    // A send that found the socket closed has become a disconnection, which asks for everything
    // again on the next connection; narrowing that to this mask would lose the rest.
    if (sent || panel.Socket.Connected()) panel.State.InfoPending = mask;
    return sent;
  } catch (const std::exception& error) {
    LogFailure(panel.Log, "Error Sending Info Request", error.what());
    return false;
  }
}

bool SendCrosspointChange(Panel& panel, int output, int input) {
  try {
    int controlWord = kControlOrdinary;
    if (input == panel.State.InputCount() - 1 &&
        panel.State.SwitcherType == kOffSourceSwitcherType) {
      controlWord = kControlOffSource;
      input = 0;
    }
    return SendToSwitcher(panel, BuildCrosspointChange(controlWord, input, output));
  } catch (const std::exception& error) {
    LogFailure(panel.Log, "Error Sending Crosspoint Change", error.what());
    return false;
  }
}

bool SendSalvoExecute(Panel& panel, int salvo) {
  try {
    const bool sent = SendToSwitcher(panel, BuildSalvoExecute(salvo));
    panel.State.PendingSalvo = kNoSalvoPending;
    return sent;
  } catch (const std::exception& error) {
    LogFailure(panel.Log, "Error Sending Salvo Execute", error.what());
    return false;
  }
}

}  // namespace dazi
