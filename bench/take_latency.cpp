// Times the real main window against a real socket peer over loopback. The peer serves a
// 256 x 256 router, then writes bursts of 10,000 take reports at once, the last of which changes
// the chosen destination's source, followed by a poll. Measured per burst: from the burst's end
// (written and flushed) to the Source display painting the last report's name; the longest the
// event loop was held (a 1 ms timer in the panel's process); and when the poll was answered.
// Run it on a display: xvfb-run -a build-rel/bench/take_latency [bursts]

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "model/Panel.h"
#include "ui/MainWindow.h"
#include "ui/QtSocket.h"
#include "ui/QtUi.h"

namespace {

using Bytes = QByteArray;
constexpr int kChannels = 256;
constexpr int kReports = 10000;

void PutNumber(Bytes& b, int v) {
  b.append(static_cast<char>(v % 128));
  b.append(static_cast<char>(v / 128));
}

Bytes Framed(uint8_t command, const Bytes& body) {
  Bytes out(1, static_cast<char>(command));
  int sum = 0;
  for (char c : body) sum += static_cast<uint8_t>(c);
  out += body;
  out.append(static_cast<char>(sum % 128));
  out.append(static_cast<char>(255));
  return out;
}

QByteArray Name(const char* prefix, int channel) {
  return QByteArray(prefix) + QByteArray::number(channel + 1).rightJustified(4, '0');
}

Bytes AlphaTable(int kind, const char* prefix, int count) {
  Bytes body;
  body.append(static_cast<char>(kind));
  body.append(static_cast<char>(7));
  PutNumber(body, count);
  PutNumber(body, 0);
  for (int c = 0; c < count; ++c) {
    body += Name(prefix, c);
    PutNumber(body, c);
  }
  return Framed(252, body);
}

// Everything the panel asks for when the link comes up: names, one route per output, no
// inhibits, no salvos.
Bytes RouterInformation() {
  Bytes all = AlphaTable(20, "OUT", kChannels) + AlphaTable(10, "IN ", kChannels) +
              AlphaTable(50, "SAL", 0);
  Bytes map(1, 0), inhibit(1, 0), salvos(1, 0);
  PutNumber(map, kChannels);
  PutNumber(map, 0);
  PutNumber(inhibit, kChannels);
  PutNumber(inhibit, 0);
  for (int o = 0; o < kChannels; ++o) {
    map += Bytes("\x01\x00\x00", 3);
    PutNumber(map, o);
    PutNumber(map, 0);
    PutNumber(inhibit, 1);
    PutNumber(inhibit, kChannels);  // one run: not inhibited
  }
  PutNumber(salvos, 0);
  PutNumber(salvos, 0);
  return all + Framed(246, map) + Framed(248, inhibit) + Framed(235, salvos);
}

Bytes TakeReport(int input, int output) {
  Bytes body;
  PutNumber(body, 1028);
  PutNumber(body, input);
  PutNumber(body, output);
  return Framed(254, body);
}

bool WaitUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
  return done();
}

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[static_cast<size_t>(p * (v.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int bursts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;

  QTcpServer server;
  if (!server.listen(QHostAddress::LocalHost, 0)) return 2;
  QTemporaryDir dir;
  QFile ini(dir.filePath("zorntpnl.ini"));
  if (!ini.open(QIODevice::WriteOnly)) return 2;
  ini.write(QString("[SETUP]\nTCP/IP Mode=Yes\n[SERIAL]\nServer path=\nRefresh Rate=100\n"
                    "Time Out=50\n[TCP/IP]\nIP Address=127.0.0.1\nTCP/IP Port=%1\n"
                    "IP Poll Period=1\nTime Out=30\nPassword=\n[CONFIG]\nHide Inhibits=Yes\n"
                    "Input Display List=\nOutput Display List=\nStay On Top=No\n")
                .arg(server.serverPort())
                .toLatin1());
  ini.close();

  QElapsedTimer clock;
  clock.start();
  auto now = [&] { return static_cast<double>(clock.nsecsElapsed()) / 1e6; };

  // The peer: answers polls and information requests, and notes the panel's poll answers.
  QTcpSocket* peer = nullptr;
  double pollAnswered = -1;
  QObject::connect(&server, &QTcpServer::newConnection, [&] {
    peer = server.nextPendingConnection();
    peer->write(Bytes(1, static_cast<char>(244)));  // the switcher link is up
    QObject::connect(peer, &QTcpSocket::readyRead, [&] {
      for (char c : peer->readAll()) {
        const auto b = static_cast<uint8_t>(c);
        if (b == 245) peer->write(Bytes(1, static_cast<char>(244)));
        if (b == 242) peer->write(RouterInformation());
        if (b == 244 && pollAnswered < 0) pollAnswered = now();
      }
    });
  });

  QtSocket socket;
  dazi::ui::QtUi ui;
  dazi::Panel panel(ui, socket);
  dazi::ui::MainWindow window(panel);
  ui.Attach(panel, &window);
  window.listenTo(socket);
  window.load(dir.path());
  window.show();

  auto* source = window.findChild<QLineEdit*>(QStringLiteral("txtInputDisp"));
  if (!source || !WaitUntil([&] { return panel.State.InfoPending == 0 && peer; }, 10000)) {
    std::fprintf(stderr, "take_latency: the panel did not load the router\n");
    return 1;
  }
  WaitUntil([] { return false; }, 300);

  // The Source display's paints: the first that shows the expected name ends a burst.
  QByteArray expected;
  double painted = -1;
  struct PaintWatch : QObject {
    std::function<void()> onPaint;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) onPaint();
      return false;
    }
  } watch;
  watch.onPaint = [&] {
    if (painted < 0 && source->text().toLatin1() == expected) painted = now();
  };
  source->installEventFilter(&watch);

  // The event loop's pulse: the longest gap between 1 ms ticks while a burst is handled.
  double lastTick = now(), longestGap = 0;
  QTimer pulse;
  pulse.setTimerType(Qt::PreciseTimer);
  QObject::connect(&pulse, &QTimer::timeout, [&] {
    const double t = now();
    longestGap = std::max(longestGap, t - lastTick);
    lastTick = t;
  });
  pulse.start(1);

  std::vector<double> toPaint, gaps, toPollAnswer;
  const int chosen = panel.State.SelectedOutputChannel();
  for (int burst = 0; burst < bursts; ++burst) {
    const int target = burst % 2 ? 100 : 200;
    Bytes reports;
    reports.reserve(kReports * 9 + 1);
    for (int i = 0; i < kReports - 1; ++i) {
      int output = i % kChannels;
      if (output == chosen) output = (output + 1) % kChannels;
      reports += TakeReport((i * 7) % kChannels, output);
    }
    reports += TakeReport(target, chosen);
    reports.append(static_cast<char>(245));
    expected = Name("IN ", target);
    painted = pollAnswered = -1;
    longestGap = 0;
    lastTick = now();
    peer->write(reports);
    peer->flush();
    const double written = now();
    if (!WaitUntil([&] { return painted >= 0 && pollAnswered >= 0; }, 5000)) {
      std::fprintf(stderr, "take_latency: burst %d was not shown\n", burst);
      return 1;
    }
    WaitUntil([] { return false; }, 50);
    toPaint.push_back(painted - written);
    toPollAnswer.push_back(pollAnswered - written);
    gaps.push_back(longestGap);
  }
  std::printf("%d bursts of %d take reports (%d bytes each), 256 x 256 router\n", bursts, kReports,
              kReports * 9 + 1);
  std::printf("burst end -> Source display painted: median %.2f ms, p90 %.2f ms, max %.2f ms\n",
              Percentile(toPaint, 0.5), Percentile(toPaint, 0.9), Percentile(toPaint, 1));
  std::printf("burst end -> poll behind it answered: median %.2f ms, max %.2f ms\n",
              Percentile(toPollAnswer, 0.5), Percentile(toPollAnswer, 1));
  std::printf("longest gap between 1 ms ticks in the panel: median %.2f ms, max %.2f ms\n",
              Percentile(gaps, 0.5), Percentile(gaps, 1));
  window.close();
  return 0;
}
