// switcher-sim: a simulated Server Module for demos and end-to-end tests of the panel.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>

#include "Log.h"
#include "RouterFile.h"
#include "Simulator.h"

namespace {

int Fail(const std::string& text) {
  std::fprintf(stderr, "switcher-sim: %s\n", text.c_str());
  return 2;
}

bool ReadInt(const QCommandLineParser& parser, const QString& name, int min, int max, int& value) {
  if (!parser.isSet(name)) return true;
  bool ok = false;
  const int parsed = parser.value(name).toInt(&ok);
  if (!ok || parsed < min || parsed > max) return false;
  value = parsed;
  return true;
}

// Lines typed on stdin are handed to the event loop one at a time. End of input is not a reason
// to stop: tests and the demo may run the simulator with stdin closed.
void StartConsoleReader(sim::Simulator* simulator) {
  std::thread([simulator] {
    std::string line;
    while (std::getline(std::cin, line)) {
      QMetaObject::invokeMethod(
          QCoreApplication::instance(), [simulator, line] { simulator->HandleConsoleLine(line); },
          Qt::QueuedConnection);
    }
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { sim::LogLine("console: end of input; still running"); },
        Qt::QueuedConnection);
  }).detach();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName("switcher-sim");

  QCommandLineParser parser;
  parser.setApplicationDescription("Simulated routing-switcher server for the DaziVedur panel.");
  parser.addHelpOption();
  parser.addOptions({
      {"listen", "Address to listen on (default 127.0.0.1).", "address", "127.0.0.1"},
      {"port", "TCP port, 0 for any free port (default 1250).", "n", "1250"},
      {"inputs", "Number of inputs, 1..16383 (default 16).", "n", "16"},
      {"outputs", "Number of outputs, 1..16383 (default 16).", "n", "16"},
      {"type", "Switcher type code; 1301 adds the off source (default 0).", "n", "0"},
      {"alphas", "Generated names: plain (IN 0001) or studio (CAM 01).", "style", "plain"},
      {"router", "Router description file (overrides inputs, outputs, type).", "file"},
      {"map-form", "Crosspoint map form: short, long or marked-long (default long).", "form",
       "long"},
      {"password", "Password panels must give before being served.", "text"},
      {"serve-during-login", "With --password: serve a panel while its login is pending."},
      {"linkdown", "Start with the switcher link down (polls answered 241)."},
      {"silent", "Start silent (nothing answered)."},
      {"poll", "Poll every panel every n seconds (default 0: never).", "n", "0"},
      {"no-query", "Do not send the query 129 after a panel connects."},
      {"max-message", "Largest map message in bytes before splitting (default 4194304).", "n",
       "4194304"},
      {"flood", "Flood every panel with hostile traffic for n seconds from the first connection.",
       "n", "0"},
  });
  parser.process(app);
  if (!parser.positionalArguments().isEmpty()) return Fail("unexpected argument");

  sim::SimOptions options;
  if (!options.address.setAddress(parser.value("listen"))) return Fail("bad --listen address");
  int port = 1250, inputs = 16, outputs = 16, type = 0, maxMessage = 4 * 1024 * 1024;
  if (!ReadInt(parser, "port", 0, 65535, port)) return Fail("--port must be 0..65535");
  if (!ReadInt(parser, "inputs", 1, sim::kMaxChannels, inputs)) return Fail("bad --inputs");
  if (!ReadInt(parser, "outputs", 1, sim::kMaxChannels, outputs)) return Fail("bad --outputs");
  if (!ReadInt(parser, "type", 0, sim::kMaxChannels, type)) return Fail("bad --type");
  if (!ReadInt(parser, "poll", 0, 3600, options.pollSeconds)) return Fail("bad --poll");
  if (!ReadInt(parser, "max-message", 64, 1 << 30, maxMessage)) return Fail("bad --max-message");
  if (!ReadInt(parser, "flood", 0, 3600, options.floodSeconds)) return Fail("bad --flood");
  options.port = static_cast<quint16>(port);
  options.maxMessageBytes = static_cast<size_t>(maxMessage);
  options.linkDown = parser.isSet("linkdown");
  options.silent = parser.isSet("silent");
  options.sendQuery = !parser.isSet("no-query");
  options.serveDuringLogin = parser.isSet("serve-during-login");

  const QString form = parser.value("map-form");
  if (form == "short") {
    options.mapForm = sim::MapForm::kShort;
  } else if (form == "long") {
    options.mapForm = sim::MapForm::kLong;
  } else if (form == "marked-long") {
    options.mapForm = sim::MapForm::kMarkedLong;
  } else {
    return Fail("--map-form must be short, long or marked-long");
  }

  const QString styleName = parser.value("alphas");
  if (styleName != "plain" && styleName != "studio")
    return Fail("--alphas must be plain or studio");
  const auto style = styleName == "studio" ? sim::AlphaStyle::kStudio : sim::AlphaStyle::kPlain;

  if (parser.isSet("password")) {
    // The password travels as one byte per character, 7-bit, with a one-byte length.
    const QByteArray text = parser.value("password").toUtf8();
    if (text.isEmpty() || text.size() > 255) return Fail("--password must be 1..255 characters");
    for (char c : text) {
      if (c < 32 || c > 126) return Fail("--password must be printable ASCII");
    }
    options.password = text.toStdString();
  }

  sim::Router router = sim::MakeGeneratedRouter(inputs, outputs, type, style);
  if (parser.isSet("router")) {
    sim::Router fromFile;
    fromFile.type = type;
    fromFile.inputCount = inputs;
    fromFile.outputCount = outputs;
    const std::string error =
        sim::LoadRouterFile(parser.value("router").toStdString(), style, fromFile);
    if (!error.empty()) return Fail(error);
    router = std::move(fromFile);
  }

  const std::string summary =
      std::to_string(router.inputCount) + " inputs, " + std::to_string(router.outputCount) +
      " outputs, type " + std::to_string(router.type) + ", " +
      std::to_string(router.salvos.size()) + " salvos, map " + form.toStdString();
  sim::Simulator simulator(std::move(router), options);
  if (const std::string error = simulator.Listen(); !error.empty()) {
    return Fail("cannot listen: " + error);
  }
  std::printf("LISTENING %u\n", static_cast<unsigned>(simulator.Port()));
  std::fflush(stdout);
  sim::LogLine("listening on " + options.address.toString().toStdString() + ":" +
               std::to_string(simulator.Port()) + " (" + summary + ")" +
               (options.password.empty() ? "" : ", password required") +
               (options.linkDown ? ", switcher link down" : "") +
               (options.silent ? ", silent" : ""));

  StartConsoleReader(&simulator);
  const int result = QCoreApplication::exec();
  // The console thread may still be blocked reading stdin, holding its lock: flush only the
  // output streams, and leave without running destructors it could race with.
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(result);
}
