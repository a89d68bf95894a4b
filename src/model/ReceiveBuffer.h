// Bytes received from the server and not yet cut into messages. Bytes are appended at the end
// and removed from the head; removing from the head costs nothing per remaining byte, and the
// search for the end-of-message byte never looks at a byte twice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dazi {

class ReceiveBuffer {
 public:
  // Larger than any message a well-behaved server sends (a full crosspoint map of 16383 outputs
  // with 64 marked long entries each is about 7.4 MB); a head that grows past it is junk.
  static constexpr size_t kMaxSize = size_t{8} << 20;

  void Append(const uint8_t* data, size_t count);
  size_t Size() const { return bytes_.size() - head_; }
  bool Empty() const { return Size() == 0; }
  uint8_t operator[](size_t i) const { return bytes_[head_ + i]; }
  const uint8_t* Data() const { return bytes_.data() + head_; }

  // Removes the first count bytes (all when count >= Size()) and returns them.
  std::vector<uint8_t> Take(size_t count);
  // The same into out, whose storage is reused.
  void TakeInto(size_t count, std::vector<uint8_t>& out);
  // Removes the first count bytes.
  void Discard(size_t count);
  void Clear();

  // 1-based position of the first `end` byte, or 0 when there is none. The bytes searched once
  // are not searched again, so every call asks for the same byte.
  size_t FindEnd(uint8_t end);

  // Keeps the buffer within kMaxSize: drops everything before the last byte that starts a
  // message, and everything when that alone is still too long.
  void EnforceCap(bool (*startsMessage)(uint8_t));

 private:
  void Compact();

  std::vector<uint8_t> bytes_;
  size_t head_ = 0;
  size_t scanned_ = 0;  // bytes from head_ known to hold no end byte
};

}  // namespace dazi
