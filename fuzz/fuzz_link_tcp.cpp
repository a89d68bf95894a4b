// Feeds arbitrary byte streams from the server, split into arrivals at arbitrary points, through
// the receive path into a connected panel, and checks that the panel stays sound.
//
// Input: byte 0 picks how many split bytes follow (0 to 7); each split byte gives the size of
// one arrival (cycled) and, in its low bits, whether the drain timer ticks after it, whether the
// arrival is announced as one byte only, and whether the socket drops or comes back. The rest is
// the stream.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "link_tcp/Framing.h"
#include "model/NullPorts.h"
#include "model/Panel.h"

namespace {

using dazi::QuietUi;

// Serves one arrival at a time; accepts every write.
class StreamSocket : public dazi::SocketPort {
 public:
  void Offer(const uint8_t* data, size_t size) {
    data_ = data;
    left_ = size;
  }
  int Connect(const std::string&, int32_t) override { return 0; }
  void Close() override { connected = false; }
  bool Connected() const override { return connected; }
  int Write(const uint8_t*, int length) override { return written_ = length; }
  int BytesWritten() const override { return written_; }
  int Read(uint8_t* buffer, int maxCount) override {
    const size_t n = std::min(left_, static_cast<size_t>(std::max(maxCount, 0)));
    if (n > 0) std::memcpy(buffer, data_, n);
    data_ += n;
    left_ -= n;
    return static_cast<int>(n);
  }
  int LastError() const override { return dazi::kWouldBlock; }

  bool connected = true;

 private:
  const uint8_t* data_ = nullptr;
  size_t left_ = 0;
  int written_ = 0;
};

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const size_t splitCount = data[0] % 8;
  if (size < 1 + splitCount) return 0;
  const uint8_t* splits = data + 1;
  const uint8_t* stream = splits + splitCount;
  const size_t streamSize = size - 1 - splitCount;

  QuietUi ui;
  StreamSocket socket;
  dazi::Panel panel(ui, socket);
  dazi::InitVariables(panel);
  panel.Settings.LinkMode = dazi::TCPIPMode;
  panel.State.SocketConnected = true;

  size_t pos = 0;
  for (size_t i = 0; pos < streamSize; ++i) {
    const uint8_t split = splitCount ? splits[i % splitCount] : 0;
    const size_t want = splitCount ? (split >> 3) * 16 + 1 : streamSize;
    const size_t chunk = std::min(want, streamSize - pos);
    if (split & 4) socket.connected = !socket.connected;
    socket.Offer(stream + pos, chunk);
    dazi::OnDataArrival(panel, (split & 2) ? 1 : static_cast<int>(std::min<size_t>(chunk, 32767)));
    if (split & 1) dazi::tmrPoll_Timer(panel);
    pos += chunk;
    Check(!panel.State.SelectorsBusy);
    Check(panel.Received.Size() <= dazi::ReceiveBuffer::kMaxSize);
  }
  dazi::tmrPoll_Timer(panel);
  Check(!panel.State.SelectorsBusy);
  return 0;
}
