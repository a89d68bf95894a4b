// The simulated Server Module: accepts panels over TCP, answers their polls and information
// requests, carries out their crosspoint changes and salvos and reports every change to all of
// them. With a directory it also serves File Mode panels from the same router (FileServer).
// Fault switches (switcher link down, silence, dropped connections, file faults) come from the
// console.
#pragma once

#include <QHostAddress>
#include <QTcpServer>
#include <QTimer>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "FileServer.h"
#include "Flood.h"
#include "Framer.h"
#include "Router.h"
#include "SimMessages.h"

class QTcpSocket;

namespace sim {

struct SimOptions {
  QHostAddress address = QHostAddress::LocalHost;
  quint16 port = 1250;
  MapForm mapForm = MapForm::kLong;
  std::string password;           // empty: no login
  bool serveDuringLogin = false;  // answer and report to a panel that has not logged in yet
  bool linkDown = false;
  bool silent = false;
  int pollSeconds = 0;  // 0: the simulator sends no polls of its own
  bool sendQuery = true;
  size_t maxMessageBytes = 4 * 1024 * 1024;
  FileOptions files;         // files.dir empty: TCP only
  bool logMessages = false;  // every message in and out, as the panel's link log shows them
  int floodSeconds = 0;      // flood every panel this long from the first connection

  double churnPerSecond = 0;  // random route changes per second (0: none)
  uint32_t seed = 1;          // for the churn's choices
};

class Simulator {
 public:
  Simulator(Router router, SimOptions options);
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // Starts listening; on failure returns the reason.
  std::string Listen();
  // Writes the directory's files and starts watching it for command files (with --dir).
  void StartFiles();
  quint16 Port() const { return server_.serverPort(); }

  // One console command: linkdown, linkup, silent on|off, close, route OUT IN, status N,
  // remove NAME, restore NAME, truncate NAME [BYTES], freeze on|off, flood SECONDS,
  // churn PER_SECOND, routes, quit.
  void HandleConsoleLine(const std::string& line);

 private:
  struct Session {
    int id = 0;
    QTcpSocket* socket = nullptr;
    Framer framer;
    bool loggedIn = false;
    bool closing = false;

    void Log(const std::string& text) const;
  };

  void OnNewConnection();
  void OnReadyRead(int id);
  void OnDisconnected(int id);
  void HandleMessage(Session& session, const Bytes& message);
  void HandlePoll(Session& session);
  void HandleInfoRequest(Session& session, const Bytes& message);
  void HandleCrosspointChange(Session& session, const Bytes& message);
  void HandleSalvoExecute(Session& session, const Bytes& message);
  void HandlePassword(Session& session, const Bytes& message);
  void HandleQueryAnswer(Session& session, const Bytes& message);

  // Makes the route and reports it to every panel and the directory; returns why not, or empty.
  std::string ApplyRoute(int output, int input);
  // A command file's route: refused while the switcher link is down, as a panel's would be.
  std::string TakeFromFile(int output, int input);
  // The file commands of the console, refused without a directory.
  void HandleFileCommand(const std::string& echo, const std::string& command,
                         const std::string& first, const std::string& second);
  void Send(Session& session, const Bytes& message);
  // Sends to every panel that has logged in; returns how many.
  int Broadcast(const Bytes& message);
  void CloseSession(Session& session);
  void SetLinkDown(bool down);
  void SendPolls();
  bool Ready(const Session& session) const;
  // Sends hostile traffic to every panel for the given time (0 stops it).
  void StartFlood(int seconds);
  void FloodTick();
  bool Flooding() const { return floodTimer_.isActive(); }
  // Makes random routes at this rate (0 stops).
  void StartChurn(double perSecond);
  void ChurnTick();
  // Prints every output's source on stdout: "ROUTES 3 0 - off ...".
  void PrintRoutes() const;

  Router router_;
  SimOptions options_;
  QTcpServer server_;
  QTimer pollTimer_;
  std::unique_ptr<FileServer> files_;
  QTimer floodTimer_;
  qint64 floodEndMs_ = 0;
  qint64 floodBytes_ = 0;
  FloodTraffic floodTraffic_;
  QTimer churnTimer_;
  std::mt19937 churnRandom_;
  std::map<int, std::unique_ptr<Session>> sessions_;
  int nextId_ = 1;
};

}  // namespace sim
