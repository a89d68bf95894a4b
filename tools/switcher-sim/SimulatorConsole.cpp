// Console commands: the fault switches and manual routes a test or an operator types on stdin.
#include <QCoreApplication>
#include <QTcpSocket>
#include <charconv>
#include <sstream>

#include "Log.h"
#include "Simulator.h"

namespace sim {
namespace {

bool ParseChannel(const std::string& token, int& value) {
  if (token.empty() || token.size() > 9) return false;
  const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
  return error == std::errc() && end == token.data() + token.size();
}

}  // namespace

void Simulator::HandleConsoleLine(const std::string& line) {
  std::istringstream words(line);
  std::string command, first, second, extra;
  words >> command >> first >> second >> extra;
  if (command.empty()) return;
  const std::string echo = "console: " + line.substr(0, 80);

  if (command == "linkdown" && first.empty()) {
    SetLinkDown(true);
  } else if (command == "linkup" && first.empty()) {
    SetLinkDown(false);
  } else if (command == "silent" && (first == "on" || first == "off") && second.empty()) {
    options_.silent = first == "on";
    LogLine(echo + ": " + (options_.silent ? "silent, nothing answered" : "answering again"));
  } else if (command == "close" && first.empty()) {
    int count = 0;
    for (auto& [id, session] : sessions_) {
      if (session->closing) continue;
      CloseSession(*session);
      ++count;
    }
    LogLine(echo + ": closing " + std::to_string(count) + " connection(s)");
  } else if (command == "route" && !second.empty() && extra.empty()) {
    int output = 0, input = 0;
    const bool off = second == "off";
    if (!ParseChannel(first, output) || (!off && !ParseChannel(second, input))) {
      LogLine(echo + ": refused (usage: route OUT IN, channels from 0, IN may be off)");
    } else if (off && !router_.HasOffSource()) {
      LogLine(echo + ": refused (off needs switcher type 1301)");
    } else {
      if (off) input = router_.OffInput();
      const std::string refusal = ApplyRoute(output, input);
      LogLine(echo + ": " + (refusal.empty() ? "done" : "refused (" + refusal + ")"));
    }
  } else if ((command == "status" && !first.empty() && second.empty()) ||
             ((command == "remove" || command == "restore") && !first.empty() && second.empty()) ||
             (command == "truncate" && !first.empty() && extra.empty()) ||
             (command == "freeze" && (first == "on" || first == "off") && second.empty())) {
    HandleFileCommand(echo, command, first, second);
  } else if (command == "flood" && !first.empty() && second.empty()) {
    int seconds = 0;
    if (!ParseChannel(first, seconds) || seconds > 3600) {
      LogLine(echo + ": refused (usage: flood SECONDS, 0..3600, 0 stops)");
    } else {
      LogLine(echo + (seconds > 0 ? ": flooding" : ": stopping the flood"));
      StartFlood(seconds);
    }
  } else if (command == "churn" && !first.empty() && second.empty()) {
    double perSecond = -1;
    const auto [end, error] = std::from_chars(first.data(), first.data() + first.size(), perSecond);
    if (error != std::errc() || end != first.data() + first.size() || perSecond < 0 ||
        perSecond > 1000) {
      LogLine(echo + ": refused (usage: churn PER_SECOND, 0..1000, 0 stops)");
    } else {
      StartChurn(perSecond);
      LogLine(echo + (perSecond > 0 ? ": changing routes" : ": routes left alone"));
    }
  } else if (command == "routes" && first.empty()) {
    PrintRoutes();
  } else if (command == "quit" && first.empty()) {
    LogLine(echo + ": quitting");
    for (auto& [id, session] : sessions_) session->socket->flush();
    QCoreApplication::quit();
  } else {
    LogLine(echo +
            ": unknown command (linkdown, linkup, silent on|off, close, route OUT IN, status N, "
            "remove NAME, restore NAME, truncate NAME [BYTES], freeze on|off, flood SECONDS, "
            "churn PER_SECOND, routes, quit)");
  }
}

void Simulator::HandleFileCommand(const std::string& echo, const std::string& command,
                                  const std::string& first, const std::string& second) {
  if (!files_) return LogLine(echo + ": refused (no --dir)");
  int number = 0;
  const bool numberOk = ParseChannel(command == "truncate" ? second : first, number) && number >= 0;
  if (command == "status") {
    if (!numberOk || number > 255) return LogLine(echo + ": refused (usage: status 0..255)");
    LogLine(echo + ": " + files_->SetStatus(number));
  } else if (command == "remove") {
    LogLine(echo + ": " + files_->Remove(first));
  } else if (command == "restore") {
    LogLine(echo + ": " + files_->Restore(first));
  } else if (command == "truncate") {
    if (!second.empty() && !numberOk) {
      return LogLine(echo + ": refused (usage: truncate NAME [BYTES])");
    }
    LogLine(echo + ": " +
            files_->Cut(first, second.empty()
                                   ? std::nullopt
                                   : std::optional<size_t>(static_cast<size_t>(number))));
  } else {
    LogLine(echo + ": " + files_->Freeze(first == "on"));
  }
  files_->Flush();
}

void Simulator::SetLinkDown(bool down) {
  options_.linkDown = down;
  // Tell every panel at once rather than waiting for its next poll; File Mode panels read it
  // from the status byte.
  const int panels = Broadcast(Bytes{static_cast<uint8_t>(down ? 241 : 244)});
  LogLine(std::string("console: ") + (down ? "linkdown" : "linkup") + ": switcher link " +
          (down ? "down, 241" : "up, 244") + " sent to " + std::to_string(panels) + " panel(s)" +
          (files_ ? "; " + files_->SetStatus(down ? 0 : 1) : ""));
  if (files_) files_->Flush();
}

}  // namespace sim
