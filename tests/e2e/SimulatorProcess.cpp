#include "e2e/SimulatorProcess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <stdexcept>

namespace dazi::testing {

SimulatorProcess::SimulatorProcess(const QStringList& arguments) {
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

SimulatorProcess::~SimulatorProcess() {
  process_.kill();
  process_.waitForFinished(3000);
}

void SimulatorProcess::Command(const QString& line) {
  process_.write((line + "\n").toUtf8());
  process_.waitForBytesWritten(1000);
}

QString SimulatorProcess::Log() {
  log_ += QString::fromUtf8(process_.readAllStandardError());
  return log_;
}

QString WriteRouterFile(const QString& name, const QString& text) {
  static QTemporaryDir dir;
  const QString path = QDir(dir.path()).filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    throw std::runtime_error("router file");
  file.write(text.toUtf8());
  return path;
}

}  // namespace dazi::testing
