#include "Simulator.h"

#include <QDateTime>
#include <QTcpSocket>
#include <cstdio>
#include <exception>

#include "Log.h"
#include "link_tcp/LinkLogText.h"

namespace sim {
namespace {

constexpr qint64 kReadChunkBytes = 64 * 1024;
constexpr size_t kMaxPendingBytes = 4096;  // longest panel message is a 260-byte password
constexpr qint64 kMaxWriteBacklog = 64 * 1024 * 1024;
constexpr size_t kMaxPanels = 256;
constexpr qint64 kFloodBacklog = 1024 * 1024;  // queued per panel before more is generated
constexpr size_t kFloodChunk = 256 * 1024;

constexpr int kMaskCrosspointMap = 0x80;
constexpr int kMaskInputAlphas = 0x100;
constexpr int kMaskOutputAlphas = 0x200;
constexpr int kMaskInhibitMap = 0x1000;
constexpr int kMaskSalvos = 0x4000;

bool ChecksumValid(const Bytes& message) {
  if (message.size() < 3) return false;
  unsigned sum = 0;
  for (size_t i = 1; i + 2 < message.size(); ++i) sum = (sum + message[i]) & 127u;
  return message[message.size() - 2] == sum;
}

int NumberAt(const Bytes& message, size_t position) {
  return message.at(position) + 128 * message.at(position + 1);
}

std::string Hex(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
  return text;
}

// The same form as the panel's link log: direction, name, bytes in hex.
std::string MessageLine(const char* direction, dazi::LinkSender sender, const Bytes& message) {
  return std::string(direction) + " " +
         dazi::DescribeLinkMessage(sender, message.data(), message.size());
}

}  // namespace

void Simulator::Session::Log(const std::string& text) const {
  LogLine("panel " + std::to_string(id) + ": " + text);
}

Simulator::Simulator(Router router, SimOptions options)
    : router_(std::move(router)),
      options_(std::move(options)),
      floodTraffic_(router_.inputCount, router_.outputCount, 1250),
      churnRandom_(options_.seed) {
  QObject::connect(&server_, &QTcpServer::newConnection, [this] { OnNewConnection(); });
  QObject::connect(&pollTimer_, &QTimer::timeout, [this] { SendPolls(); });
  if (!options_.files.dir.empty()) {
    files_ = std::make_unique<FileServer>(router_, options_.files, [this](int output, int input) {
      return TakeFromFile(output, input);
    });
  }
  QObject::connect(&floodTimer_, &QTimer::timeout, [this] { FloodTick(); });
  QObject::connect(&churnTimer_, &QTimer::timeout, [this] { ChurnTick(); });
}

Simulator::~Simulator() {
  for (auto& [id, session] : sessions_) {
    session->socket->disconnect();
    session->socket->abort();
  }
}

std::string Simulator::Listen() {
  if (!server_.listen(options_.address, options_.port)) {
    return server_.errorString().toStdString();
  }
  if (options_.pollSeconds > 0) pollTimer_.start(options_.pollSeconds * 1000);
  StartChurn(options_.churnPerSecond);
  return {};
}

void Simulator::StartFiles() {
  if (files_) files_->Start();
}

bool Simulator::Ready(const Session& session) const {
  return options_.password.empty() || session.loggedIn || options_.serveDuringLogin;
}

void Simulator::OnNewConnection() {
  while (QTcpSocket* socket = server_.nextPendingConnection()) {
    if (sessions_.size() >= kMaxPanels) {
      LogLine("refused a connection: already serving " + std::to_string(kMaxPanels) + " panels");
      socket->abort();
      socket->deleteLater();
      continue;
    }
    const int id = nextId_++;
    auto session = std::make_unique<Session>();
    session->id = id;
    session->socket = socket;
    socket->setReadBufferSize(kReadChunkBytes);
    QObject::connect(socket, &QTcpSocket::readyRead, [this, id] { OnReadyRead(id); });
    QObject::connect(socket, &QTcpSocket::disconnected, [this, id] { OnDisconnected(id); });
    Session& s = *session;
    sessions_.emplace(id, std::move(session));
    s.Log("connected from " + socket->peerAddress().toString().toStdString() + ":" +
          std::to_string(socket->peerPort()));
    if (!options_.password.empty()) {
      Send(s, EncodePasswordRequest());
      s.Log("password requested");
    }
    if (options_.sendQuery) {
      Send(s, EncodeQuery());
      s.Log("query 100 sent");
    }
    if (options_.floodSeconds > 0) {
      StartFlood(options_.floodSeconds);
      options_.floodSeconds = 0;
    }
  }
}

void Simulator::OnDisconnected(int id) {
  const auto it = sessions_.find(id);
  if (it == sessions_.end() || it->second->socket == nullptr) return;
  Session& session = *it->second;
  session.closing = true;
  session.Log("disconnected");
  // Removed later: this can be reached from inside the session's own message handling.
  QMetaObject::invokeMethod(
      &server_,
      [this, id] {
        const auto found = sessions_.find(id);
        if (found == sessions_.end()) return;
        found->second->socket->deleteLater();
        sessions_.erase(found);
      },
      Qt::QueuedConnection);
}

void Simulator::OnReadyRead(int id) {
  const auto it = sessions_.find(id);
  if (it == sessions_.end()) return;
  Session& session = *it->second;
  char chunk[kReadChunkBytes];
  while (!session.closing && session.socket->bytesAvailable() > 0) {
    const qint64 read = session.socket->read(chunk, sizeof chunk);
    if (read <= 0) break;
    if (options_.silent) {
      session.Log("silent: ignored " + std::to_string(read) + " bytes");
      continue;
    }
    session.framer.Append(chunk, static_cast<size_t>(read));
    while (!session.closing) {
      const auto message = session.framer.Next();
      if (!message) break;
      if (options_.logMessages) session.Log(MessageLine("in ", dazi::LinkSender::Panel, *message));
      try {
        HandleMessage(session, *message);
      } catch (const std::exception& error) {
        session.Log(std::string("message dropped: ") + error.what());
      }
    }
    if (session.framer.PendingBytes() > kMaxPendingBytes) {
      session.Log("dropped " + std::to_string(session.framer.PendingBytes()) +
                  " bytes of an over-long message");
      session.framer.Discard();
    }
  }
}

void Simulator::HandleMessage(Session& session, const Bytes& message) {
  const int command = message.at(0);
  if (command == 128) return HandlePassword(session, message);
  if (command == 129) return HandleQueryAnswer(session, message);
  if (!Ready(session)) {
    return session.Log("ignored command " + std::to_string(command) + " (awaiting password)");
  }
  switch (command) {
    case 245:
      return HandlePoll(session);
    case 244:
    case 241:
      if (Flooding()) return;  // the flood's polls are answered by the thousand
      return session.Log("poll answer " + std::to_string(command));
    case 242:
      return HandleInfoRequest(session, message);
    case 254:
      return HandleCrosspointChange(session, message);
    case 234:
      return HandleSalvoExecute(session, message);
    default:
      return session.Log("dropped command " + std::to_string(command) + " (" +
                         std::to_string(message.size()) + " bytes)");
  }
}

void Simulator::HandlePoll(Session& session) {
  const uint8_t answer = options_.linkDown ? 241 : 244;
  Send(session, Bytes{answer});
  session.Log("poll answered " + std::to_string(answer));
}

void Simulator::HandleInfoRequest(Session& session, const Bytes& message) {
  if (message.size() != 13 || !ChecksumValid(message)) {
    return session.Log("bad information request dropped");
  }
  int mask = 0;
  for (int i = 0; i < 5; ++i) mask |= message[1 + i] << (7 * i);
  if (session.socket->bytesToWrite() > kMaxWriteBacklog) {
    session.Log("not reading its data; closing");
    return CloseSession(session);
  }
  std::string sent;
  auto note = [&sent](const std::string& what) { sent += (sent.empty() ? "" : ", ") + what; };
  // Type before input alphas: the panel applies it when the inputs arrive.
  if (mask & kMaskInputAlphas) {
    Send(session, EncodeSwitcherType(router_.type));
    note("type " + std::to_string(router_.type));
  }
  if (mask & kMaskOutputAlphas) {
    Send(session, EncodeAlphaTable(kKindOutputs, router_.outputNames));
    note(std::to_string(router_.outputCount) + " output alphas");
  }
  if (mask & kMaskInputAlphas) {
    Send(session, EncodeAlphaTable(kKindInputs, router_.inputNames));
    note(std::to_string(router_.inputCount) + " input alphas");
  }
  if (mask & kMaskCrosspointMap) {
    const auto parts = EncodeCrosspointMap(router_, options_.mapForm, options_.maxMessageBytes);
    for (const auto& part : parts) Send(session, part);
    note("crosspoint map in " + std::to_string(parts.size()) + " message(s)");
  }
  if (mask & kMaskInhibitMap) {
    const auto parts = EncodeInhibitMap(router_, options_.maxMessageBytes);
    for (const auto& part : parts) Send(session, part);
    note("inhibit map in " + std::to_string(parts.size()) + " message(s)");
  }
  if (mask & kMaskSalvos) {
    std::vector<std::string> names;
    for (const auto& salvo : router_.salvos) names.push_back(salvo.name);
    Send(session, EncodeAlphaTable(kKindSalvos, names));
    Send(session, EncodeSalvoEvents(router_));
    note(std::to_string(names.size()) + " salvos with keys");
  }
  session.Log("information request " + Hex(mask) + ": sent " + (sent.empty() ? "nothing" : sent));
}

void Simulator::HandleCrosspointChange(Session& session, const Bytes& message) {
  if (message.size() != 9 || !ChecksumValid(message)) {
    return session.Log("bad crosspoint change dropped");
  }
  const int control = NumberAt(message, 1);
  int input = NumberAt(message, 3);
  const int output = NumberAt(message, 5);
  std::string what = "crosspoint change " + std::to_string(control) + " output " +
                     std::to_string(output) + " input ";
  if (control == kControlOff && router_.HasOffSource()) {
    input = router_.OffInput();  // the panel sends 0 for the off source
    what += "off";
  } else if (control == kControlRoute) {
    what += std::to_string(input);
  } else {
    return session.Log(what + std::to_string(input) + ": refused (unknown control word)");
  }
  if (options_.linkDown) return session.Log(what + ": refused (switcher link down)");
  const std::string refusal = ApplyRoute(output, input);
  session.Log(what + ": " + (refusal.empty() ? "done" : "refused (" + refusal + ")"));
}

void Simulator::HandleSalvoExecute(Session& session, const Bytes& message) {
  if (message.size() != 6 || !ChecksumValid(message) || message[1] != kSalvoExecuteCode) {
    return session.Log("bad salvo execute dropped");
  }
  const int number = NumberAt(message, 2);
  const std::string what = "salvo execute " + std::to_string(number);
  if (number >= static_cast<int>(router_.salvos.size())) {
    return session.Log(what + ": refused (no such salvo)");
  }
  if (options_.linkDown) return session.Log(what + ": refused (switcher link down)");
  const Salvo& salvo = router_.salvos[number];
  int done = 0;
  for (const auto& route : salvo.routes) {
    // Stored salvos were checked when loaded and are not subject to inhibits.
    if (!router_.IsOutput(route.output) || !router_.IsSource(route.input)) continue;
    router_.routes.at(route.output) = route.input;
    router_.tiedTo.at(route.output) = kNotTied;
    const bool off = router_.HasOffSource() && route.input == router_.OffInput();
    Broadcast(EncodeTakeReport(off ? kControlOff : kControlRoute, route.input, route.output));
    ++done;
  }
  if (files_ && done > 0) files_->MapChanged();
  session.Log(what + " (" + salvo.name + "): done, " + std::to_string(done) + " route(s)");
}

void Simulator::HandlePassword(Session& session, const Bytes& message) {
  if (message.size() < 5 || !ChecksumValid(message) || message[1] != 0 ||
      message[2] != message.size() - 5) {
    return session.Log("bad password message dropped");
  }
  if (options_.password.empty() || session.loggedIn) {
    return session.Log("password message ignored (none expected)");
  }
  if (message[2] == 0) {
    session.Log("login cancelled; closing");
    return CloseSession(session);
  }
  const std::string given(message.begin() + 3, message.end() - 2);
  if (given != options_.password) {
    session.Log("wrong password (" + std::to_string(given.size()) + " characters); closing");
    return CloseSession(session);
  }
  session.loggedIn = true;
  session.Log("password accepted");
}

void Simulator::HandleQueryAnswer(Session& session, const Bytes& message) {
  if (Flooding()) return;
  if (!ChecksumValid(message) || message.size() != 5) {
    return session.Log("bad query answer dropped");
  }
  session.Log("query answer " + std::to_string(message[1]) + " " + std::to_string(message[2]));
}

std::string Simulator::ApplyRoute(int output, int input) {
  std::string refusal = CheckRoute(router_, output, input);
  if (!refusal.empty()) return refusal;
  router_.routes.at(output) = input;
  router_.tiedTo.at(output) = kNotTied;
  const bool off = router_.HasOffSource() && input == router_.OffInput();
  const int panels = Broadcast(EncodeTakeReport(off ? kControlOff : kControlRoute, input, output));
  LogLine("output " + std::to_string(output) + " now takes input " +
          (off ? std::string("off") : std::to_string(input)) + "; reported to " +
          std::to_string(panels) + " panel(s)");
  if (files_) files_->MapChanged();
  return {};
}

std::string Simulator::TakeFromFile(int output, int input) {
  if (options_.linkDown) return "switcher link down";
  return ApplyRoute(output, input);
}

void Simulator::Send(Session& session, const Bytes& message) {
  if (options_.silent || session.closing) return;
  if (options_.logMessages) session.Log(MessageLine("out", dazi::LinkSender::Server, message));
  session.socket->write(reinterpret_cast<const char*>(message.data()),
                        static_cast<qint64>(message.size()));
}

int Simulator::Broadcast(const Bytes& message) {
  int count = 0;
  for (auto& [id, session] : sessions_) {
    if (session->closing || !Ready(*session)) continue;
    Send(*session, message);
    ++count;
  }
  return options_.silent ? 0 : count;
}

void Simulator::CloseSession(Session& session) {
  if (session.closing) return;
  session.closing = true;
  session.socket->disconnectFromHost();
}

void Simulator::SendPolls() {
  for (auto& [id, session] : sessions_) {
    if (!session->closing && Ready(*session)) Send(*session, Bytes{245});
  }
}

void Simulator::StartFlood(int seconds) {
  if (seconds <= 0) {
    if (Flooding()) floodEndMs_ = 0;  // the next tick reports and stops
    return;
  }
  if (!Flooding()) floodBytes_ = 0;
  floodEndMs_ = QDateTime::currentMSecsSinceEpoch() + qint64{seconds} * 1000;
  floodTimer_.start(0);
  LogLine("flood: every panel for " + std::to_string(seconds) + " s");
}

void Simulator::FloodTick() {
  if (QDateTime::currentMSecsSinceEpoch() >= floodEndMs_) {
    floodTimer_.stop();
    LogLine("flood: over, " + std::to_string(floodBytes_ / 1024) + " KiB sent");
    return;
  }
  Bytes chunk;
  for (auto& [id, session] : sessions_) {
    if (session->closing || !Ready(*session) || options_.silent) continue;
    // Only as fast as the panel takes it: the simulator's own memory stays bounded.
    if (session->socket->bytesToWrite() > kFloodBacklog) continue;
    chunk.clear();
    floodTraffic_.Append(chunk, kFloodChunk);
    Send(*session, chunk);
    floodBytes_ += static_cast<qint64>(chunk.size());
  }
}

}  // namespace sim
