// Ports that ask nothing and connect nowhere: for running behaviour with no one at the screen
// (benchmarks, fuzzing).
#pragma once

#include "model/Ports.h"

namespace dazi {

// Answers every message box with OK and shows nothing.
class QuietUi : public UiPort {
 public:
  MsgResult MessageBox(const std::string&, const std::string&, MsgIcon, MsgButtons) override {
    return MsgResult::Ok;
  }
  void ShowDialog(Dialog) override {}
  void ClosePasswordPrompt() override {}
  void SetWindowPos(int32_t) override {}
  bool StartHelp() override { return false; }
  void CloseAllWindows() override {}
  void RunEventsFor(int) override {}
};

// Never connects; reads nothing and writes nothing.
class IdleSocket : public SocketPort {
 public:
  int Connect(const std::string&, int32_t) override { return 1; }
  void Close() override {}
  bool Connected() const override { return false; }
  int Write(const uint8_t*, int) override { return 0; }
  int BytesWritten() const override { return 0; }
  int Read(uint8_t*, int) override { return 0; }
  int LastError() const override { return 0; }
};

}  // namespace dazi
