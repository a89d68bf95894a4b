#include "e2e/LivePanel.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>

#include "core/MainForm.h"
#include "link_tcp/Connection.h"
#include "link_tcp/Framing.h"

namespace dazi::testing {

LivePanel::LivePanel(quint16 port, const std::u16string& password) {
  InitVariables(panel);
  panel.Settings.LinkMode = TCPIPMode;
  panel.Settings.IPAddress = "127.0.0.1";
  panel.Settings.TCPIPPort = port;
  panel.Settings.Password = password;
  QObject::connect(&socket, &QtSocket::connectEvent, [this] { OnConnect(panel); });
  QObject::connect(&socket, &QtSocket::closeEvent, [this] { OnClose(panel); });
  QObject::connect(&socket, &QtSocket::dataArrival, [this](int n) { OnDataArrival(panel, n); });
}

bool LivePanel::WaitFor(const std::function<bool()>& condition, int timeoutMs) {
  return QTest::qWaitFor(condition, timeoutMs);
}

void LivePanel::Settle(int ms) {
  QTest::qWait(ms);
}

void LivePanel::Tick() {
  tmrFileCheck_Timer(panel);
}

bool LivePanel::ConnectAndLoad() {
  ConnectToSwitcher(panel);
  if (!WaitFor([&] { return panel.State.SocketConnected; })) return false;
  // Poll as the link timer would until the link is up and every piece has arrived (a server
  // that asks for a password first ignores the polls before it).
  for (int tick = 0; tick < 50; ++tick) {
    Tick();
    if (WaitFor([&] { return panel.State.LinkState && panel.State.InfoPending == 0; }, 100)) break;
  }
  Tick();  // the first tick with everything in place shows it
  return panel.State.InitialDataShown;
}

}  // namespace dazi::testing
