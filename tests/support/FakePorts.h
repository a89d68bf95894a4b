// Recorders for the toolkit and the socket, for tests that drive behaviour without Qt.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "link_tcp/LinkLogText.h"
#include "model/Ports.h"

namespace dazi::testing {

struct RecordedMessage {
  std::string Text;
  std::string Title;
  MsgIcon Icon;
  MsgButtons Buttons;
};

class FakeUi : public UiPort {
 public:
  MsgResult MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                       MsgButtons buttons) override {
    if (DuringMessage) DuringMessage();
    Messages.push_back({text, title, icon, buttons});
    Events.push_back("message:" + text);
    return MsgResult::Ok;
  }
  void ShowDialog(Dialog dialog) override {
    Dialogs.push_back(dialog);
    Events.push_back("dialog:" + std::to_string(static_cast<int>(dialog)));
    if (OnShowDialog) OnShowDialog(dialog);
  }
  void ClosePasswordPrompt() override { ++PasswordPromptCloses; }
  void SetWindowPos(int32_t insertAfter) override {
    Stacking.push_back(insertAfter);
    Events.push_back("stacking:" + std::to_string(insertAfter));
  }
  bool StartHelp() override { return true; }
  void CloseAllWindows() override {}
  void RunEventsFor(int) override {
    if (WhileWaiting) WhileWaiting();
  }

  std::vector<RecordedMessage> Messages;
  std::vector<Dialog> Dialogs;
  std::vector<int32_t> Stacking;
  std::vector<std::string> Events;           // everything, in order
  std::function<void(Dialog)> OnShowDialog;  // runs "inside" the modal dialog
  std::function<void()> DuringMessage;       // runs while a message box is open
  std::function<void()> WhileWaiting;        // runs each time behaviour waits for other work
  int PasswordPromptCloses = 0;
};

// A socket that records what is written and serves queued bytes to reads.
class FakeSocket : public SocketPort {
 public:
  int Connect(const std::string& host, int32_t port) override {
    ConnectedHost = host;
    ConnectedPort = port;
    ++ConnectCalls;
    return ConnectResult;
  }
  void Close() override {
    IsConnected = false;
    ++CloseCalls;
  }
  bool Connected() const override { return IsConnected; }
  int Write(const uint8_t* data, int length) override {
    if (!AcceptWrites) {
      lastError_ = WriteError;
      return 0;
    }
    Written.emplace_back(data, data + length);
    for (int i = 0; i < length; ++i) AllWritten.push_back(data[i]);
    bytesWritten_ = length;
    return length;
  }
  int BytesWritten() const override { return bytesWritten_; }
  int Read(uint8_t* buffer, int maxCount) override {
    int n = 0;
    while (n < maxCount && !Incoming.empty()) {
      buffer[n++] = Incoming.front();
      Incoming.pop_front();
    }
    if (n == 0) lastError_ = kWouldBlock;
    return n;
  }
  int LastError() const override { return lastError_; }

  // Queues bytes for the next reads.
  void Feed(const std::vector<uint8_t>& bytes) {
    Incoming.insert(Incoming.end(), bytes.begin(), bytes.end());
  }

  bool IsConnected = false;
  int ConnectResult = 0;
  bool AcceptWrites = true;
  int WriteError = 10054;
  std::string ConnectedHost;
  int32_t ConnectedPort = 0;
  int ConnectCalls = 0;
  int CloseCalls = 0;
  std::vector<std::vector<uint8_t>> Written;  // one entry per write
  std::vector<uint8_t> AllWritten;
  std::deque<uint8_t> Incoming;

 private:
  int bytesWritten_ = 0;
  int lastError_ = 0;
};

// Keeps every line of the link log: messages as "in ..." and "out ...", events as they are.
class RecordingLog : public LinkLog {
 public:
  void Received(const uint8_t* data, size_t size) override {
    Lines.push_back("in " + DescribeLinkMessage(LinkSender::Server, data, size));
  }
  void Sent(const uint8_t* data, size_t size) override {
    Lines.push_back("out " + DescribeLinkMessage(LinkSender::Panel, data, size));
  }
  void Event(const std::string& text) override { Lines.push_back(text); }
  std::vector<std::string> Lines;
};

}  // namespace dazi::testing
