#include "ui/QtSocket.h"

#include <algorithm>

#include <QMetaObject>

#include "model/ScopedValue.h"

namespace {

// Winsock-style codes, as the panel's socket reports them.
constexpr int kInvalidArgument = 10022;
constexpr int kNotConnected = 10057;

// The panel reads data-arrival counts as signed 16-bit; it reads until nothing is left, so a
// smaller count loses nothing.
constexpr qint64 kMaxArrivalCount = 32767;

// What the socket takes from the system ahead of the panel. Unbounded, a peer sending faster
// than the panel handles would pile its bytes up in this process (the system's own buffer alone
// takes 32 MB on a loopback link); bounded, the rest waits in the system and TCP slows the peer.
constexpr qint64 kReadBufferBytes = 256 * 1024;
// A peer that stops reading must not make the panel hoard what it sends either: past this
// backlog a message is refused, as a full system buffer would refuse it. The panel's own
// messages are a few bytes each.
constexpr qint64 kMaxWriteBacklog = 1024 * 1024;
constexpr int kNoBufferSpace = 10055;

}  // namespace

QtSocket::QtSocket(QObject* parent) : QObject(parent) {
  socket_.setReadBufferSize(kReadBufferBytes);
  connect(&socket_, &QTcpSocket::connected, this, &QtSocket::OnConnected);
  connect(&socket_, &QTcpSocket::stateChanged, this, &QtSocket::OnStateChanged);
  connect(&socket_, &QTcpSocket::readyRead, this, &QtSocket::OnReadyRead);
}

QtSocket::~QtSocket() {
  // The member socket outlives this body; its last state changes must not reach us.
  socket_.disconnect(this);
  socket_.abort();
}

int QtSocket::Connect(const std::string& host, int32_t port) {
  if (host.empty() || port < 1 || port > 65535) {
    lastError_ = kInvalidArgument;
    return lastError_;
  }
  AbortQuietly();
  ++attempt_;
  closeReported_ = false;
  socket_.connectToHost(QString::fromLatin1(host.data(), static_cast<qsizetype>(host.size())),
                        static_cast<quint16>(port));
  return 0;
}

void QtSocket::Close() {
  ++attempt_;
  closeReported_ = true;
  AbortQuietly();
}

bool QtSocket::Connected() const {
  return socket_.state() == QAbstractSocket::ConnectedState;
}

int QtSocket::Write(const uint8_t* data, int length) {
  bytesWritten_ = 0;
  if (!data || length < 1) {
    lastError_ = kInvalidArgument;
    return 0;
  }
  if (!Connected()) {
    lastError_ = kNotConnected;
    return 0;
  }
  if (socket_.bytesToWrite() > kMaxWriteBacklog) {
    lastError_ = kNoBufferSpace;
    return 0;
  }
  const qint64 written = socket_.write(reinterpret_cast<const char*>(data), length);
  if (written < 1) {
    lastError_ = kNotConnected;
    return 0;
  }
  // Out now, as far as the peer takes it, rather than when the event loop next runs.
  socket_.flush();
  bytesWritten_ = static_cast<int>(written);
  return bytesWritten_;
}

int QtSocket::BytesWritten() const {
  return bytesWritten_;
}

int QtSocket::Read(uint8_t* buffer, int maxCount) {
  if (!buffer || maxCount < 1) {
    lastError_ = kInvalidArgument;
    return 0;
  }
  // Also asked after the connection is gone, when nothing is left to read.
  const qint64 read =
      socket_.bytesAvailable() > 0 ? socket_.read(reinterpret_cast<char*>(buffer), maxCount) : 0;
  if (read < 1) {
    lastError_ = dazi::kWouldBlock;
    return 0;
  }
  return static_cast<int>(read);
}

int QtSocket::LastError() const {
  return lastError_;
}

void QtSocket::OnConnected() {
  // Polls are single bytes; waiting to fill a segment would only delay them.
  socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
  emit connectEvent();
}

void QtSocket::OnStateChanged(QAbstractSocket::SocketState state) {
  if (quiet_ || closeReported_ || state != QAbstractSocket::UnconnectedState) return;
  closeReported_ = true;
  // Reported from the event loop rather than from inside the socket's own state change, so the
  // handler may close or reconnect the socket freely.
  const uint64_t attempt = attempt_;
  QMetaObject::invokeMethod(
      this,
      [this, attempt] {
        if (attempt == attempt_) emit closeEvent();
      },
      Qt::QueuedConnection);
}

void QtSocket::OnReadyRead() {
  // The panel's handler may open a modal prompt (the server asking for a password) and stay in
  // it for as long as the operator types. Inside the socket's own readyRead the toolkit would
  // not report further arrivals until that handler returned, and the link would stall: the
  // arrival is therefore handed over from the event loop, one pending hand-over at a time.
  if (arrivalQueued_) return;
  arrivalQueued_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        arrivalQueued_ = false;
        const qint64 available = socket_.bytesAvailable();
        if (available > 0)
          emit dataArrival(static_cast<int>(std::min(available, kMaxArrivalCount)));
      },
      Qt::QueuedConnection);
}

void QtSocket::AbortQuietly() {
  const dazi::ScopedValue quiet(quiet_, true);
  socket_.abort();
}
