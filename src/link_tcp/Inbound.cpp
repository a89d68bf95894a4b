#include "link_tcp/Inbound.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "core/Panel.h"
#include "link_tcp/ByteManipulation.h"
#include "link_tcp/Connection.h"
#include "link_tcp/Outbound.h"

namespace dazi {

namespace {

constexpr uint8_t kServerPoll = 245;
constexpr uint8_t kLinkOk = 244;
constexpr uint8_t kLinkDown = 241;

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
    case kServerPoll:
      SendToSwitcher(panel, {kPollAnswer});
      break;
    case kLinkOk:
      s.PollMisses = 0;
      if (!s.LinkState) SetLinkStatus(panel, true);
      break;
    case kLinkDown:
      s.PollMisses = 0;
      if (s.LinkState) SetLinkStatus(panel, false);
      break;
    default:
      break;
  }
}

namespace {

void ProcessTake(Panel& panel, const Message& message, TakeLookup& lookup) {
  SwitcherState& s = panel.State;
  try {
    if (message.size() != 9 || !ChecksumValid(message)) return;
    const int input = ReadNumber(message, 3);
    const int output = ReadNumber(message, 5);
    // An output the panel does not have ends the report (hostile floods carry many: no throw).
    if (output >= s.OutputCount() || !s.ApplyRoute(output, input)) return;

    // Whatever output the report named, show what now feeds the chosen destination: the first
    // position that holds its source.
    const OutputRoute* chosen = s.ChosenRoute();
    if (!chosen) throw std::out_of_range("chosen destination");
    const int16_t source = chosen->Source[0];
    if (!lookup.valid || lookup.source != source)
      lookup = {true, source, s.Inputs().FirstPositionOf(source)};
    if (lookup.position >= 0) {
      const std::string* alpha = s.Inputs().Alpha(lookup.position);
      if (!alpha) throw std::out_of_range("input position");
      panel.View.txtInputDisp = {*alpha, s.ActiveColor};
    }
  } catch (const std::exception&) {
    [[maybe_unused]] const char* error = "Error Processing Take";
  }
}

}  // namespace

void ProcessTake(Panel& panel, const Message& message) {
  TakeLookup lookup;
  ProcessTake(panel, message, lookup);
}

void ProcessSwitcherType(Panel& panel, const Message& message) {
  try {
    if (!ChecksumValid(message) || message.size() != 10) return;
    if (message.at(1) != kSwitcherTypeMarker) return;
    panel.State.SwitcherType = ReadNumber(message, 4);
  } catch (const std::exception&) {
    [[maybe_unused]] const char* error = "Error Processing Switcher Type";
  }
}

void ProcessSalvoEvents(Panel& panel, const Message& message) {
  SwitcherState& s = panel.State;
  try {
    if (!ChecksumValid(message)) return;
    const int count = ReadNumber(message, 2);
    // Every record, events and all, must lie before the checksum: a count beyond the records
    // present drops the message.
    std::vector<int16_t> keys(static_cast<size_t>(count), 0);
    size_t record = 6;
    for (int k = 0; k < count; ++k) {
      if (record + 4 > message.size() - 2) return;
      keys[static_cast<size_t>(k)] = static_cast<int16_t>(ReadNumber(message, record));
      const size_t events = static_cast<size_t>(ReadNumber(message, record + 2));
      record += 4 + 13 * events;
    }
    if (count > 0 && record > message.size() - 2) return;
    s.ReplaceSalvoKeys(std::move(keys));
    s.InfoPending &= ~kInfoSalvos;
  } catch (const std::exception&) {
    [[maybe_unused]] const char* error = "Error Receiving Salvo Events";
  }
}

void ProcessQuery(Panel& panel, const Message& message) {
  if (!ChecksumValid(message) || (message.size() != 4 && message.size() != 5)) return;
  if (message[1] != kQueryCode) return;
  SendToSwitcher(panel, BuildQueryAnswer());
}

void ProcessServerRequest(Panel& panel, const Message& message) {
  if (message.size() != 13 || message[1] != kPasswordRequest) return;
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
  if (message[0] == 254) return ProcessTake(panel, message, lookup);
  lookup.valid = false;
  switch (message[0]) {
    case 252:
      ProcessAlphaTable(panel, message);
      break;
    case 246:
      ProcessCrosspointMap(panel, message);
      break;
    case 248:
      ProcessInhibitMap(panel, message);
      break;
    case 229:
      ProcessSwitcherType(panel, message);
      break;
    case 235:
      ProcessSalvoEvents(panel, message);
      break;
    case 129:
      ProcessQuery(panel, message);
      break;
    case 242:
      ProcessServerRequest(panel, message);
      break;
    default:
      break;  // consumed, nothing to do
  }
}

}  // namespace dazi
