#include "ui/QtSocket.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

constexpr int kWaitMs = 5000;
const std::string kLoopback = "127.0.0.1";

class QtSocketTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server.listen(QHostAddress::LocalHost)); }

  // Connects to the server and returns its end of the connection.
  QTcpSocket* ConnectPeer() {
    EXPECT_EQ(socket.Connect(kLoopback, server.serverPort()), 0);
    EXPECT_TRUE(connected.wait(kWaitMs));
    if (!server.hasPendingConnections()) server.waitForNewConnection(kWaitMs);
    return server.nextPendingConnection();
  }
  // Runs the event loop a while, so that anything wrongly queued would arrive.
  static void Settle() { QTest::qWait(100); }

  QTcpServer server;
  QtSocket socket;
  QSignalSpy connected{&socket, &QtSocket::connectEvent};
  QSignalSpy closed{&socket, &QtSocket::closeEvent};
};

// Bytes both ways, a peer closing and a refused connection are exercised against the switcher
// simulator by the end-to-end tests.

// The panel closes the socket itself, or replaces it by a new attempt: no close event for that.
TEST_F(QtSocketTest, ClosingOrReconnectingOnPurposeReportsNothing) {
  ASSERT_NE(ConnectPeer(), nullptr);
  ASSERT_NE(ConnectPeer(), nullptr);
  EXPECT_TRUE(socket.Connected());
  socket.Close();
  EXPECT_FALSE(socket.Connected());
  const quint16 port = server.serverPort();
  server.close();
  EXPECT_EQ(socket.Connect(kLoopback, port), 0);  // would be refused
  socket.Close();
  Settle();
  EXPECT_EQ(closed.count(), 0);
}

// A handler that stays in a modal loop (the password prompt) must still hear of later arrivals,
// or the link stalls while the operator types.
TEST_F(QtSocketTest, ArrivalsKeepComingWhileAHandlerRunsAModalLoop) {
  QTcpSocket* peer = ConnectPeer();
  ASSERT_NE(peer, nullptr);
  QByteArray received;
  bool heardInside = false;
  QObject::connect(&socket, &QtSocket::dataArrival, [&](int) {
    char buffer[16];
    int n = 0;
    while ((n = socket.Read(reinterpret_cast<uint8_t*>(buffer), sizeof buffer)) > 0)
      received.append(buffer, n);
    if (received == "1") {
      peer->write("2");
      peer->flush();
      heardInside = QTest::qWaitFor([&] { return received == "12"; }, kWaitMs);
    }
  });
  peer->write("1");
  peer->flush();
  EXPECT_TRUE(QTest::qWaitFor([&] { return received == "12"; }, kWaitMs));
  EXPECT_TRUE(heardInside);
}

// A peer flooding the panel, or never reading what the panel sends, leaves the excess in the
// system's buffers, not in the panel.
TEST_F(QtSocketTest, NeitherDirectionHoardsMoreThanABoundedBacklog) {
  QTcpSocket* peer = ConnectPeer();
  ASSERT_NE(peer, nullptr);
  const QByteArray flood(16 << 20, 'x');
  peer->write(flood);
  QTest::qWait(300);
  std::vector<uint8_t> buffer(64 * 1024);
  int64_t taken = 0;
  for (int n; (n = socket.Read(buffer.data(), static_cast<int>(buffer.size()))) > 0;) taken += n;
  EXPECT_GT(taken, 0);
  EXPECT_LE(taken, 256 * 1024);

  int64_t sent = 0;
  while (socket.Write(buffer.data(), static_cast<int>(buffer.size())) > 0 && sent < (1 << 30))
    sent += static_cast<int64_t>(buffer.size());
  EXPECT_EQ(socket.LastError(), 10055);
  EXPECT_LT(sent, int64_t{1} << 30);
}

TEST_F(QtSocketTest, BadArgumentsFailAtOnce) {
  const std::pair<std::string, int32_t> bad[] = {
      {"", 1250}, {kLoopback, 0}, {kLoopback, -1}, {kLoopback, 65536}};
  for (const auto& [host, port] : bad) EXPECT_NE(socket.Connect(host, port), 0) << port;
  uint8_t buffer[4];
  EXPECT_EQ(socket.Read(buffer, 4), 0);
  EXPECT_EQ(socket.LastError(), dazi::kWouldBlock);
  EXPECT_EQ(socket.Write(buffer, 4), 0);
  Settle();
  EXPECT_EQ(connected.count() + closed.count(), 0);
}

}  // namespace
