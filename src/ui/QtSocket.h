// The panel's TCP socket over QTcpSocket: non-blocking, driven by the event loop, reporting
// connection, closing and data arrival as signals.
#pragma once

#include <cstdint>
#include <string>

#include <QObject>
#include <QTcpSocket>

#include "model/Ports.h"

class QtSocket : public QObject, public dazi::SocketPort {
  Q_OBJECT

 public:
  explicit QtSocket(QObject* parent = nullptr);
  ~QtSocket() override;

  // 0 when the attempt has started; an empty host or a port outside 1..65535 fails at once.
  // A new attempt drops any earlier connection without a close event.
  int Connect(const std::string& host, int32_t port) override;
  // Drops the connection at once; the panel asked for it, so no close event follows.
  void Close() override;
  bool Connected() const override;
  // Hands every byte to the socket's own buffer, which sends them as the peer accepts them.
  int Write(const uint8_t* data, int length) override;
  int BytesWritten() const override;
  // 0 with LastError() == kWouldBlock when nothing is available.
  int Read(uint8_t* buffer, int maxCount) override;
  int LastError() const override;

 signals:
  void connectEvent();
  // The peer closed the connection, or the attempt failed; raised once per attempt, from the
  // event loop.
  void closeEvent();
  // Bytes are waiting to be read; raised from the event loop, never from inside the socket's
  // own notification, so a handler may run a modal loop and still hear of later arrivals.
  void dataArrival(int bytes);

 private:
  void OnConnected();
  void OnStateChanged(QAbstractSocket::SocketState state);
  void OnReadyRead();
  void AbortQuietly();

  QTcpSocket socket_;
  int lastError_ = 0;
  int bytesWritten_ = 0;
  bool quiet_ = false;          // our own abort: its state changes report nothing
  bool closeReported_ = true;   // nothing to report until an attempt starts
  uint64_t attempt_ = 0;        // a close queued for an earlier attempt is dropped
  bool arrivalQueued_ = false;  // a data-arrival hand-over is waiting in the event loop
};
