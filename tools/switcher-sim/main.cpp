// switcher-sim: a simulated Server Module for demos and end-to-end tests of the panel.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <thread>

#include "DataFiles.h"
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

// The File Mode options; returns what is wrong with them, or empty.
std::string ReadFileOptions(const QCommandLineParser& parser, const sim::Router& router,
                            sim::SimOptions& options) {
  sim::FileOptions& files = options.files;
  if (!parser.isSet("dir")) {
    for (const char* name : {"files", "dir-poll", "status", "remove", "truncate", "freeze",
                             "scramble", "map-sources", "switch-layouts"}) {
      if (parser.isSet(name)) return std::string("--") + name + " needs --dir";
    }
    return {};
  }
  files.dir = parser.value("dir").toStdString();
  if (files.dir.empty()) return "--dir needs a directory";
  const QString set = parser.value("files");
  if (set == "count") {
    files.set = sim::FileSet::kCounted;
  } else if (set == "fixed") {
    files.set = sim::FileSet::kFixed;
  } else if (set == "both") {
    files.set = sim::FileSet::kBoth;
  } else {
    return "--files must be count, fixed or both";
  }
  if (files.set != sim::FileSet::kCounted) {
    if (auto why = sim::FixedFilesRefusal(router); !why.empty())
      return "--files " + set.toStdString() + ": " + why;
  }
  if (files.set != sim::FileSet::kFixed) {
    if (auto why = sim::CountedFilesRefusal(router); !why.empty()) return "--dir: " + why;
  }
  if (!ReadInt(parser, "dir-poll", 10, 10000, files.pollMs)) return "--dir-poll must be 10..10000";
  files.status = options.linkDown ? 0 : 1;
  if (!ReadInt(parser, "status", 0, 255, files.status)) return "--status must be 0..255";
  files.frozen = parser.isSet("freeze");
  files.layout.scrambled = parser.isSet("scramble");
  if (!ReadInt(parser, "map-sources", 1, 64, files.layout.mapSources))
    return "--map-sources must be 1..64";
  int switchSeconds = 0;
  if (!ReadInt(parser, "switch-layouts", 0, 3600, switchSeconds))
    return "--switch-layouts must be 0..3600";
  files.switchLayoutsMs = switchSeconds * 1000;
  if (switchSeconds > 0) {
    if (files.set != sim::FileSet::kCounted) return "--switch-layouts chooses the files itself";
    if (auto why = sim::FixedFilesRefusal(router); !why.empty()) return "--switch-layouts: " + why;
  }
  for (const QString& name : parser.values("remove")) {
    if (auto error = sim::DataFileNameError(name.toStdString(), files.set); !error.empty()) {
      return "--remove: " + error;
    }
    files.removed.push_back(name.toStdString());
  }
  for (const QString& value : parser.values("truncate")) {
    const QString name = value.section(':', 0, 0);
    if (auto error = sim::DataFileNameError(name.toStdString(), files.set); !error.empty()) {
      return "--truncate: " + error;
    }
    std::optional<size_t> bytes;
    if (value.contains(':')) {
      bool ok = false;
      const int parsed = value.section(':', 1).toInt(&ok);
      if (!ok || parsed < 0) return "--truncate: BYTES must be a number from 0";
      bytes = static_cast<size_t>(parsed);
    }
    files.cut.emplace_back(name.toStdString(), bytes);
  }
  return {};
}

// The route churn's rate and seed; returns what is wrong with them, or empty.
std::string ReadChurnOptions(const QCommandLineParser& parser, sim::SimOptions& options) {
  bool ok = false;
  options.churnPerSecond = parser.value("churn").toDouble(&ok);
  if (!ok || options.churnPerSecond < 0 || options.churnPerSecond > 1000) {
    return "--churn must be 0..1000";
  }
  options.seed = parser.value("seed").toUInt(&ok);
  if (!ok) return "--seed must be a number from 0";
  return {};
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
      {"dir", "Also serve File Mode panels: keep the network data files in this directory.", "dir"},
      {"files", "Data files to keep: count (lalpha.ndf...), fixed (Alpha.ndf...) or both.", "set",
       "count"},
      {"dir-poll", "Look for command files every n ms, 10..10000 (default 50).", "ms", "50"},
      {"status", "Start with this byte in Status.ndf (default 1; 0 with --linkdown).", "n"},
      {"remove", "Start without this data file (repeatable).", "name"},
      {"truncate", "Write this data file cut short at start: NAME or NAME:BYTES (repeatable).",
       "name"},
      {"freeze", "Start frozen: nothing is written to the directory until 'freeze off'."},
      {"scramble", "List the channels in reverse order in the alpha files."},
      {"map-sources", "Sources per routed output in lxptmap.ndf, 1..64 (default 1).", "n", "1"},
      {"switch-layouts", "Write the fixed and the counted files in turn, n seconds each.", "n",
       "0"},
      {"log-messages", "Log every message in and out: direction, name and bytes in hex."},
      {"flood", "Flood every panel with hostile traffic for n seconds from the first connection.",
       "n", "0"},
      {"churn", "Make this many random route changes per second, 0..1000 (default 0).", "rate",
       "0"},
      {"seed", "Seed for the churn's random choices (default 1).", "n", "1"},
  });
  // An option it does not know is a bad option like any other (status 2, where process() ends
  // with 1); process() then only answers --help and --help-all.
  if (!parser.parse(QCoreApplication::arguments())) return Fail(parser.errorText().toStdString());
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
  if (const std::string error = ReadChurnOptions(parser, options); !error.empty()) {
    return Fail(error);
  }
  options.port = static_cast<quint16>(port);
  options.maxMessageBytes = static_cast<size_t>(maxMessage);
  options.linkDown = parser.isSet("linkdown");
  options.silent = parser.isSet("silent");
  options.sendQuery = !parser.isSet("no-query");
  options.serveDuringLogin = parser.isSet("serve-during-login");
  options.logMessages = parser.isSet("log-messages");

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

  if (const std::string error = ReadFileOptions(parser, router, options); !error.empty()) {
    return Fail(error);
  }

  const std::string summary =
      std::to_string(router.inputCount) + " inputs, " + std::to_string(router.outputCount) +
      " outputs, type " + std::to_string(router.type) + ", " +
      std::to_string(router.salvos.size()) + " salvos, map " + form.toStdString();
  sim::Simulator simulator(std::move(router), options);
  if (const std::string error = simulator.Listen(); !error.empty()) {
    return Fail("cannot listen: " + error);
  }
  sim::LogLine("listening on " + options.address.toString().toStdString() + ":" +
               std::to_string(simulator.Port()) + " (" + summary + ")" +
               (options.password.empty() ? "" : ", password required") +
               (options.linkDown ? ", switcher link down" : "") +
               (options.silent ? ", silent" : ""));
  // The files are in place before anyone is told the simulator is ready.
  simulator.StartFiles();
  std::printf("LISTENING %u\n", static_cast<unsigned>(simulator.Port()));
  std::fflush(stdout);

  StartConsoleReader(&simulator);
  const int result = QCoreApplication::exec();
  // The console thread may still be blocked reading stdin, holding its lock: flush only the
  // output streams, and leave without running destructors it could race with.
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(result);
}
