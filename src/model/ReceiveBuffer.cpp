#include "model/ReceiveBuffer.h"

#include <algorithm>
#include <cstring>

namespace dazi {

void ReceiveBuffer::Append(const uint8_t* data, size_t count) {
  if (count == 0) return;
  bytes_.insert(bytes_.end(), data, data + count);
}

std::vector<uint8_t> ReceiveBuffer::Take(size_t count) {
  count = std::min(count, Size());
  std::vector<uint8_t> taken(Data(), Data() + count);
  Discard(count);
  return taken;
}

void ReceiveBuffer::TakeInto(size_t count, std::vector<uint8_t>& out) {
  count = std::min(count, Size());
  out.assign(Data(), Data() + count);
  Discard(count);
}

void ReceiveBuffer::Discard(size_t count) {
  count = std::min(count, Size());
  head_ += count;
  scanned_ = scanned_ > count ? scanned_ - count : 0;
  Compact();
}

void ReceiveBuffer::Clear() {
  bytes_.clear();
  head_ = 0;
  scanned_ = 0;
}

size_t ReceiveBuffer::FindEnd(uint8_t end) {
  const uint8_t* begin = Data();
  const size_t size = Size();
  const void* hit = size > scanned_ ? std::memchr(begin + scanned_, end, size - scanned_) : nullptr;
  if (!hit) {
    scanned_ = size;
    return 0;
  }
  const size_t index = static_cast<const uint8_t*>(hit) - begin;
  scanned_ = index;
  return index + 1;
}

void ReceiveBuffer::EnforceCap(bool (*startsMessage)(uint8_t)) {
  if (Size() <= kMaxSize) return;
  size_t last = Size();
  while (last > 0 && !startsMessage((*this)[last - 1])) --last;
  if (last > 1) Discard(last - 1);
  if (Size() > kMaxSize) Clear();
}

void ReceiveBuffer::Compact() {
  if (head_ == bytes_.size()) {
    bytes_.clear();
    head_ = 0;
  } else if (head_ > 4096 && head_ * 2 > bytes_.size()) {
    bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(head_));
    head_ = 0;
  }
}

}  // namespace dazi
