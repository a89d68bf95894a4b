// The command file that asks the server for a crosspoint change: source, then destination. It is
// written on File Mode's worker; the Take waits for it a bounded time and never writes it twice.
#include <atomic>
#include <memory>
#include <string>

#include "link_file/FileLink.h"
#include "link_file/NetworkFiles.h"
#include "link_file/ServerFiles.h"
#include "model/FileWork.h"
#include "model/Panel.h"

namespace dazi {

namespace {

constexpr int kShortLimit = 256;        // both below: one byte each
constexpr int kLargestChannel = 32767;  // signed 16-bit

void AppendInteger(FileBytes& bytes, int value) {
  bytes.push_back(static_cast<uint8_t>(value & 0xFF));
  bytes.push_back(static_cast<uint8_t>(value >> 8 & 0xFF));
}

// One command on its way to the file system. The panel may give up on it before the worker
// starts it, and then it is never written; once started it cannot be called back.
struct CommandWrite {
  enum State { Waiting, Writing, GivenUp };
  std::atomic<int> Stage = Waiting;
  bool Written = false;
  // On the panel's thread: the worker is done with it; the Take gave up while it was written.
  bool Finished = false;
  bool Late = false;

  bool Start() {
    int expected = Waiting;
    return Stage.compare_exchange_strong(expected, Writing);
  }
  // False when the worker has already handed it to the file system.
  bool GiveUp() {
    int expected = Waiting;
    return Stage.compare_exchange_strong(expected, GivenUp);
  }
};

}  // namespace

bool WriteCommandFile(Panel& panel, int input, int output) {
  // A channel that neither layout can carry fails the Take like an unwritable file.
  if (input < 0 || output < 0 || input > kLargestChannel || output > kLargestChannel) {
    LogFailure(panel.Log, "command file not written", "a channel neither layout can carry");
    return false;
  }
  if (panel.Settings.ServerPath.empty()) return false;
  FileLinkState& link = panel.FileLink;
  const std::string what =
      "command file for output " + std::to_string(output) + " input " + std::to_string(input);
  // The share has not taken the last command yet: this one would only wait behind it.
  if (link.WriteStuck) {
    LogFailure(panel.Log, what + " not written", "the share has not taken the previous one yet");
    return false;
  }
  FileBytes bytes;
  const char* name = kShortCommandFile;
  if (input < kShortLimit && output < kShortLimit) {
    bytes = {static_cast<uint8_t>(input), static_cast<uint8_t>(output)};
  } else {
    name = kLongCommandFile;
    AppendInteger(bytes, input);
    AppendInteger(bytes, output);
  }

  const std::shared_ptr<ServerDirectory> directory = CurrentDirectory(panel);
  auto write = std::make_shared<CommandWrite>();
  panel.FileWork->Run(
      [directory, write, name, bytes] {
        if (write->Start()) write->Written = ServerFiles(*directory).WriteAtStart(name, bytes);
      },
      [&panel, write, what] {
        write->Finished = true;
        if (!write->Late) return;
        panel.FileLink.WriteStuck = false;
        // The operator was told it failed; the route may happen all the same.
        LogFailure(panel.Log, what + (write->Written ? " written late" : " failed late"),
                   "after its Take was reported failed");
      });
  if (AwaitFileWork(panel, write->Finished, ShareAnswerBound(panel.Settings)))
    return write->Written;
  if (write->GiveUp()) {
    LogFailure(panel.Log, what + " not written", "the share did not answer in time");
  } else {
    write->Late = true;
    link.WriteStuck = true;
    LogFailure(panel.Log, what + " handed to the share", "it did not answer in time");
  }
  return false;
}

}  // namespace dazi
