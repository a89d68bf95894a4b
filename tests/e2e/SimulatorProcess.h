// The switcher simulator, run as its own process on a free loopback port.
#pragma once

#include <QProcess>
#include <QStringList>

namespace dazi::testing {

class SimulatorProcess {
 public:
  // Starts the simulator with these arguments (plus --port 0) and waits for its port.
  explicit SimulatorProcess(const QStringList& arguments);
  ~SimulatorProcess();

  quint16 Port() const { return port_; }
  // Sends one console command ("linkdown", "silent on", "route 1 2", ...).
  void Command(const QString& line);
  // Everything the simulator has logged so far.
  QString Log();

 private:
  QProcess process_;
  quint16 port_ = 0;
  QString log_;
};

// Writes a router file into a temporary directory that lives as long as the test binary.
QString WriteRouterFile(const QString& name, const QString& text);

}  // namespace dazi::testing
