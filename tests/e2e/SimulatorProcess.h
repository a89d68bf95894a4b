// The switcher simulator, run as its own process on a free loopback port.
#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <stdexcept>

namespace dazi::testing {

class SimulatorProcess {
 public:
  // Starts the simulator with these arguments (plus --port 0) and waits for its port.
  explicit SimulatorProcess(const QStringList& arguments) {
    process_.start(QStringLiteral(SWITCHER_SIM_PATH), QStringList{"--port", "0"} + arguments);
    if (!process_.waitForStarted(5000)) throw std::runtime_error("simulator did not start");
    while (port_ == 0) {
      if (!process_.canReadLine() && !process_.waitForReadyRead(5000)) {
        throw std::runtime_error("simulator gave no port: " +
                                 process_.readAllStandardError().toStdString());
      }
      while (process_.canReadLine()) {
        const QString line = QString::fromUtf8(process_.readLine()).trimmed();
        if (line.startsWith("LISTENING ")) port_ = line.section(' ', 1).toUShort();
      }
    }
  }
  ~SimulatorProcess() {
    process_.kill();
    process_.waitForFinished(3000);
  }

  quint16 Port() const { return port_; }
  // Sends one console command ("linkdown", "status 0", "route 1 2", ...).
  void Command(const QString& line) {
    process_.write((line + "\n").toUtf8());
    process_.waitForBytesWritten(1000);
  }
  // Everything the simulator has logged so far.
  QString Log() {
    log_ += QString::fromUtf8(process_.readAllStandardError());
    return log_;
  }

 private:
  QProcess process_;
  quint16 port_ = 0;
  QString log_;
};

// Writes a router file into a temporary directory that lives as long as the test binary.
inline QString WriteRouterFile(const QString& name, const QString& text) {
  static QTemporaryDir dir;
  QFile file(QDir(dir.path()).filePath(name));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    throw std::runtime_error("router file");
  file.write(text.toUtf8());
  return file.fileName();
}

}  // namespace dazi::testing
