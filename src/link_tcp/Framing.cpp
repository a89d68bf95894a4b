#include "link_tcp/Framing.h"

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "link_tcp/ByteManipulation.h"
#include "link_tcp/Commands.h"
#include "link_tcp/Inbound.h"
#include "model/Panel.h"

namespace dazi {

namespace {

// One arrival is read in pieces of at most this size, each drained before the next is read, so
// the memory held stays bounded whatever the peer sends at once.
constexpr size_t kReadChunk = size_t{64} << 10;

// The operator is told nothing of bytes that belong to no message; the link log is.
void LogDiscarded(Panel& panel, size_t count, const char* why) {
  if (panel.Log) LogFailure(panel.Log, std::to_string(count) + " received bytes dropped", why);
}

// What a drain carries from one message to the next: the message's storage, reused so that a
// run of small messages allocates nothing, and the take reports' lookup.
struct Drain {
  Message message;
  TakeLookup lookup;
};

// Cuts at most one message off the head and handles it. Returns whether anything was removed,
// so that a drain knows when only an incomplete message (or nothing) is left.
bool CutOneMessage(Panel& panel, Drain& drain) {
  ReceiveBuffer& buffer = panel.Received;
  bool removed = false;
  try {
    while (true) {
      if (buffer.Empty()) return removed;

      // Bytes before the first command byte belong to no message.
      const uint8_t* data = buffer.Data();
      const uint8_t* first = std::find_if(data, data + buffer.Size(), protocol::IsCommandByte);
      if (first == data + buffer.Size()) {
        LogDiscarded(panel, buffer.Size(), "no command byte among them");
        buffer.Clear();
        return true;
      }
      if (first != data) {
        LogDiscarded(panel, static_cast<size_t>(first - data), "before the next command byte");
        buffer.Discard(static_cast<size_t>(first - data));
        removed = true;
      }

      const uint8_t command = buffer[0];
      if (protocol::IsSingleByte(command)) {
        buffer.Discard(1);
        removed = true;
        drain.lookup.valid = false;
        ProcessSingleByte(panel, command);
        return true;
      }

      const size_t length = buffer.FindEnd(protocol::kEOM);
      if (length == 0) return removed;

      // A command byte before the end byte means the message at the head was cut short.
      if (length >= 3) {
        data = buffer.Data();
        const uint8_t* end = data + length - 1;
        const uint8_t* cut = std::find_if(data + 1, end, protocol::IsCommandByte);
        if (cut != end) {
          LogDiscarded(panel, static_cast<size_t>(cut - data),
                       "a message cut short by the next command byte");
          buffer.Discard(static_cast<size_t>(cut - data));
          removed = true;
          continue;
        }
      }

      buffer.TakeInto(length, drain.message);
      removed = true;
      DispatchMessage(panel, drain.message, drain.lookup);
      return true;
    }
  } catch (const std::exception& error) {
    LogFailure(panel.Log, "Error Processing Command", error.what());
    return removed;
  }
}

}  // namespace

void ProcessCommand(Panel& panel) {
  Drain drain;
  CutOneMessage(panel, drain);
}

void DrainReceived(Panel& panel) {
  // A handler may open a modal prompt during which later messages are drained by a nested call;
  // the loop therefore looks at the buffer afresh after every message.
  Drain drain;
  while (CutOneMessage(panel, drain)) {
  }
}

void OnDataArrival(Panel& panel, int dataLength) {
  if (dataLength < 1) return;
  try {
    std::vector<uint8_t> chunk(std::min(static_cast<size_t>(dataLength), kReadChunk));
    const int maxCount = static_cast<int>(chunk.size());
    while (true) {
      const int read = panel.Socket.Read(chunk.data(), maxCount);
      if (read < 1) break;
      panel.Received.Append(chunk.data(), static_cast<size_t>(std::min(read, maxCount)));
      DrainReceived(panel);
      const size_t held = panel.Received.Size();
      panel.Received.EnforceCap(protocol::IsCommandByte);
      if (panel.Received.Size() < held)
        LogDiscarded(panel, held - panel.Received.Size(), "the receive buffer's cap was reached");
    }
    if (panel.Socket.LastError() == kWouldBlock) {
      panel.View.tmrPoll.Enabled = true;
      DrainReceived(panel);
    }
  } catch (const std::exception& error) {
    LogFailure(panel.Log, "Error Receiving IP Message", error.what());
  }
}

void tmrPoll_Timer(Panel& panel) {
  if (panel.Received.Empty()) {
    panel.View.tmrPoll.Enabled = false;
    return;
  }
  DrainReceived(panel);
}

}  // namespace dazi
