#include "link_tcp/Inbound.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "link_tcp/ByteManipulation.h"
#include "link_tcp/Commands.h"
#include "link_tcp/Connection.h"
#include "link_tcp/Outbound.h"
#include "model/Panel.h"

namespace dazi {

namespace {

constexpr int kQueryCode = 100;
constexpr int kPasswordRequest = 2;
constexpr int kSwitcherTypeMarker = 1;

}  // namespace

bool ChecksumValid(const Message& message) {
  return message.size() >= 2 && ComputeChecksum(message, 2) == message[message.size() - 2];
}

int ReadNumber(const Message& message, size_t pos) {
  return JoinBytes(message.at(pos), message.at(pos + 1));
}

void ProcessSingleByte(Panel& panel, uint8_t command) {
  if (panel.Log) panel.Log->Received(&command, 1);
  SwitcherState& s = panel.State;
  switch (command) {
    case protocol::kPoll:
      SendToSwitcher(panel, {protocol::kPollAnswer});
      break;
    case protocol::kPollAnswer:
      s.PollMisses = 0;
      if (!s.LinkState) SetLinkStatus(panel, true);
      break;
    case protocol::kPollAnswerLinkDown:
      s.PollMisses = 0;
      if (s.LinkState) SetLinkStatus(panel, false);
      break;
    default:
      break;
  }
}

namespace {

constexpr const char* kTakeDropped = "take report dropped";

void ProcessTake(Panel& panel, const Message& message, TakeLookup& lookup) {
  SwitcherState& s = panel.State;
  try {
    if (message.size() != 9) return LogFailure(panel.Log, kTakeDropped, "not 9 bytes long");
    if (!ChecksumValid(message)) return LogFailure(panel.Log, kTakeDropped, "bad checksum");
    const int input = ReadNumber(message, 3);
    const int output = ReadNumber(message, 5);
    if (output >= s.OutputCount() || !s.ApplyRoute(output, input))
      return LogFailure(panel.Log, kTakeDropped, "no such output on this switcher");

    // Whatever output the report named, show what now feeds the chosen destination: the first
    // position that holds its source.
    const OutputRoute* chosen = s.ChosenRoute();
    if (!chosen) return;  // no destination chosen that the map knows: nothing to show
    const int16_t source = chosen->Source[0];
    if (!lookup.valid || lookup.source != source)
      lookup = {true, source, s.Inputs().FirstPositionOf(source)};
    if (const std::string* alpha = s.Inputs().Alpha(lookup.position))
      panel.View.txtInputDisp = {*alpha, s.ActiveColor};
  } catch (const std::exception& error) {
    LogFailure(panel.Log, "Error Processing Take", error.what());
  }
}

}  // namespace

void ProcessTake(Panel& panel, const Message& message) {
  TakeLookup lookup;
  ProcessTake(panel, message, lookup);
}

void ProcessSwitcherType(Panel& panel, const Message& message) {
  constexpr const char* kDropped = "switcher type dropped";
  try {
    if (!ChecksumValid(message)) return LogFailure(panel.Log, kDropped, "bad checksum");
    if (message.size() != 10) return LogFailure(panel.Log, kDropped, "not 10 bytes long");
    if (message[1] != kSwitcherTypeMarker)
      return LogFailure(panel.Log, kDropped, "position 1 is not 1");
    panel.State.SwitcherType = ReadNumber(message, 4);
  } catch (const std::exception& error) {
    LogFailure(panel.Log, "Error Processing Switcher Type", error.what());
  }
}

void ProcessSalvoEvents(Panel& panel, const Message& message) {
  constexpr const char* kDropped = "salvo events dropped";
  SwitcherState& s = panel.State;
  try {
    if (!ChecksumValid(message)) return LogFailure(panel.Log, kDropped, "bad checksum");
    const int count = ReadNumber(message, 2);
    // Every record, events and all, must lie before the checksum.
    constexpr const char* kShort = "its count promises more salvos than it holds";
    const size_t end = message.size() - 2;
    std::vector<int16_t> keys(static_cast<size_t>(count), 0);
    size_t record = 6;
    for (int k = 0; k < count; ++k) {
      if (record + 4 > end) return LogFailure(panel.Log, kDropped, kShort);
      keys[static_cast<size_t>(k)] = static_cast<int16_t>(ReadNumber(message, record));
      const size_t events = static_cast<size_t>(ReadNumber(message, record + 2));
      record += 4 + 13 * events;
    }
    if (count > 0 && record > end) return LogFailure(panel.Log, kDropped, kShort);
    s.ReplaceSalvoKeys(std::move(keys));
    s.InfoPending &= ~kInfoSalvos;
  } catch (const std::exception& error) {
    LogFailure(panel.Log, "Error Receiving Salvo Events", error.what());
  }
}

void ProcessQuery(Panel& panel, const Message& message) {
  constexpr const char* kDropped = "query dropped";
  if (!ChecksumValid(message)) return LogFailure(panel.Log, kDropped, "bad checksum");
  if (message.size() != 4 && message.size() != 5)
    return LogFailure(panel.Log, kDropped, "not 4 or 5 bytes long");
  if (message[1] != kQueryCode) return;  // a query this panel does not answer
  SendToSwitcher(panel, BuildQueryAnswer());
}

void ProcessServerRequest(Panel& panel, const Message& message) {
  if (message.size() != 13)
    return LogFailure(panel.Log, "server request dropped", "not 13 bytes long");
  if (message[1] != kPasswordRequest) return;  // a request this panel does not answer
  if (!panel.Settings.Password.empty()) {
    // A stored password that cannot travel intact (a hand-edited settings file) is not sent;
    // the operator is asked instead, as if none were stored.
    if (const auto reply = BuildPassword(panel.Settings.Password)) {
      SendToSwitcher(panel, *reply);
      return;
    }
  }
  // One prompt at a time: a repeated request while it shows is answered by that prompt.
  if (panel.State.PasswordPromptOpen) return;
  panel.Ui.SetWindowPos(kStayOnTopNo);
  panel.Ui.ShowDialog(Dialog::Password);
  panel.Ui.SetWindowPos(panel.Settings.StayOnTop);
}

void DispatchMessage(Panel& panel, const Message& message) {
  TakeLookup lookup;
  DispatchMessage(panel, message, lookup);
}

void DispatchMessage(Panel& panel, const Message& message, TakeLookup& lookup) {
  if (message.empty()) return;
  if (panel.Log) panel.Log->Received(message.data(), message.size());
  if (message[0] == protocol::kCrosspointChange) return ProcessTake(panel, message, lookup);
  lookup.valid = false;
  switch (message[0]) {
    case protocol::kAlphaTable:
      ProcessAlphaTable(panel, message);
      break;
    case protocol::kCrosspointMap:
      ProcessCrosspointMap(panel, message);
      break;
    case protocol::kInhibitMap:
      ProcessInhibitMap(panel, message);
      break;
    case protocol::kSwitcherType:
      ProcessSwitcherType(panel, message);
      break;
    case protocol::kSalvoEvents:
      ProcessSalvoEvents(panel, message);
      break;
    case protocol::kQuery:
      ProcessQuery(panel, message);
      break;
    case protocol::kInfoRequest:
      ProcessServerRequest(panel, message);
      break;
    default:
      break;  // consumed, nothing to do
  }
}

}  // namespace dazi
