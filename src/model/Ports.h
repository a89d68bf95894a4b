// What behaviour asks of the world outside it: the toolkit (message boxes, dialogs, stacking,
// help), the TCP socket and the engineers' link log. Qt implements these in ui/; tests implement
// them with recorders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dazi {

enum class MsgIcon { None, Critical, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel };
enum class MsgResult { Ok, Cancel };

enum class Dialog { Setup, InputDisplayList, OutputDisplayList, About, Password };

// Nesting: MessageBox, ShowDialog and RunEventsFor run a nested event loop and return only
// when it ends. Meanwhile the timers tick, the socket's events arrive and File Mode's worker
// hands back its results, each as a routine of its own run inside the caller's call; only the
// operator's input is held back, and that only by RunEventsFor. So a routine that calls one of
// them:
// - calls it last, or reads the model afresh afterwards: anything may have changed under it,
//   the lists included (a link that went down, a new alpha table);
// - keeps out what must not run inside it with a flag held by a ScopedValue, which the nested
//   routines test (SelectorsBusy, FileLinkState::Waiting, OutageMessageOpen) and which gives
//   back the value it found, so that nested holders leave an outer one standing;
// - may find itself run again inside its own box (a tick under the outage message, a message
//   under the password prompt): it must be safe to re-enter, or guarded as above.
class UiPort {
 public:
  virtual ~UiPort() = default;
  virtual MsgResult MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                               MsgButtons buttons) = 0;
  // Shows the dialog modally and returns once it is closed. Events keep running meanwhile. Each
  // opening of Setup fills its controls from the settings anew, even one asked for while it
  // shows.
  virtual void ShowDialog(Dialog dialog) = 0;
  // Closes the password prompt if it is showing.
  virtual void ClosePasswordPrompt() = 0;
  // Stacking of the main window: -1 above all others, -2 ordinary.
  virtual void SetWindowPos(int32_t insertAfter) = 0;
  // Opens the operator's guide; false when nothing could open it.
  virtual bool StartHelp() = 0;
  // Closes every window of the program, the most recent first, the main window last.
  virtual void CloseAllWindows() = 0;
  // Lets other events run, the operator's input held back, until one has been handled or
  // `maxMs` have passed: how behaviour waits for work that runs elsewhere.
  virtual void RunEventsFor(int maxMs) = 0;
};

// The "operation would block" code of the socket: every available byte has been read.
inline constexpr int kWouldBlock = 24035;

class SocketPort {
 public:
  virtual ~SocketPort() = default;
  // Starts connecting; 0 when the attempt has started, anything else on failure. Completion
  // comes later as OnConnect or OnClose.
  virtual int Connect(const std::string& host, int32_t port) = 0;
  // Close action and reset: idle afterwards, no close event is raised for it.
  virtual void Close() = 0;
  virtual bool Connected() const = 0;
  // Returns the count written, below 1 when nothing was written.
  virtual int Write(const uint8_t* data, int length) = 0;
  virtual int BytesWritten() const = 0;
  // Returns the count read, below 1 when none.
  virtual int Read(uint8_t* buffer, int maxCount) = 0;
  virtual int LastError() const = 0;
};

// The engineers' trace of the server link: every message in and out, and the connection's
// events. The panel holds none unless it is asked for, and tests for it before composing
// anything, so it costs nothing when off.
class LinkLog {
 public:
  virtual ~LinkLog() = default;
  virtual void Received(const uint8_t* data, size_t size) = 0;
  virtual void Sent(const uint8_t* data, size_t size) = 0;
  virtual void Event(const std::string& text) = 0;
};

// Records in the link log, when there is one, why the panel dropped a message, refused a file or
// ended a routine early, as one line "what: why". The operator is shown only what the panel
// always showed; an engineer with the log can find out why.
inline void LogFailure(LinkLog* log, std::string_view what, std::string_view why) {
  if (!log) return;
  std::string text(what);
  text += ": ";
  text += why;
  log->Event(text);
}

}  // namespace dazi
