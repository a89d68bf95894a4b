#include "Flood.h"

#include <algorithm>

namespace sim {
namespace {

constexpr int kCommands[] = {252, 246, 248, 254, 229, 235, 129, 242, 233, 232, 245, 244, 241, 243};

bool SingleByte(int command) {
  return command == 245 || command == 244 || command == 241 || command == 243;
}

// Command byte, body, checksum (or a wrong one), end byte.
void AppendFramed(Bytes& out, int command, const Bytes& body, bool wrongSum) {
  unsigned sum = 0;
  out.push_back(static_cast<uint8_t>(command));
  for (uint8_t b : body) {
    out.push_back(b);
    sum += b;
  }
  out.push_back(static_cast<uint8_t>((sum + (wrongSum ? 1 : 0)) & 127u));
  out.push_back(kEOM);
}

void PutNumber(Bytes& body, int value) {
  body.push_back(static_cast<uint8_t>(value & 127));
  body.push_back(static_cast<uint8_t>((value >> 7) & 127));
}

}  // namespace

void FloodTraffic::Append(Bytes& out, size_t bytes) {
  const size_t target = out.size() + bytes;
  while (out.size() < target) {
    const int pick = Below(100);
    if (pick < 20)
      AppendRandomBytes(out);
    else if (pick < 45)
      AppendTakeBurst(out);
    else if (pick < 80)
      AppendRandomMessage(out);
    else if (pick < 90)
      AppendAlphaTable(out);
    else
      AppendMap(out, pick < 95 ? 246 : 248);
  }
}

void FloodTraffic::AppendRandomBytes(Bytes& out) {
  for (int n = 1 + Below(512); n > 0; --n) out.push_back(static_cast<uint8_t>(random_()));
}

void FloodTraffic::AppendTakeBurst(Bytes& out) {
  Bytes body;
  for (int n = 100 + Below(1900); n > 0; --n) {
    body.clear();
    PutNumber(body, 1028);
    const bool wild = Below(20) == 0;  // channels the panel does not have
    PutNumber(body, wild ? Below(16384) : Below(inputs_));
    PutNumber(body, wild ? Below(16384) : Below(outputs_));
    AppendFramed(out, 254, body, Below(50) == 0);
  }
}

// Any command, a random 7-bit body; some with a wrong sum, some cut short by the next item.
void FloodTraffic::AppendRandomMessage(Bytes& out) {
  const int command = Below(4) == 0 ? 128 + Below(127) : kCommands[Below(std::size(kCommands))];
  if (SingleByte(command)) {
    out.push_back(static_cast<uint8_t>(command));
    return;
  }
  Bytes body(static_cast<size_t>(Below(10) == 0 ? Below(8192) : Below(40)));
  for (uint8_t& b : body) b = static_cast<uint8_t>(random_() & 127u);
  if (!body.empty() && Below(2) == 0) body[0] = static_cast<uint8_t>(Below(3) == 0 ? 2 : 100);
  if (Below(10) == 0) {
    out.push_back(static_cast<uint8_t>(command));
    out.insert(out.end(), body.begin(), body.end());  // no end byte
    return;
  }
  AppendFramed(out, command, body, Below(10) == 0);
}

// Alpha tables of every kind: some whole, most claiming far more records than they carry.
void FloodTraffic::AppendAlphaTable(Bytes& out) {
  const int kinds[] = {10, 20, 50, Below(128)};
  const int width = Below(41);
  const bool whole = Below(4) == 0;
  const int count = whole ? Below(std::min(16383, 60000 / (width + 2)) + 1) : Below(16384);
  const int carried = whole ? count : Below(std::min(count, 64) + 1);
  Bytes body{static_cast<uint8_t>(kinds[Below(4)]), static_cast<uint8_t>(width)};
  PutNumber(body, count);
  PutNumber(body, Below(8) == 0 ? Below(count + 1) : 0);
  for (int i = 0; i < carried; ++i) {
    for (int k = 0; k < width; ++k) body.push_back(static_cast<uint8_t>(32 + Below(95)));
    PutNumber(body, Below(3) == 0 ? Below(std::max(count, 1)) : i);
  }
  AppendFramed(out, 252, body, Below(20) == 0);
}

// Crosspoint (246) and inhibit (248) maps with random headers and blocks, rarely consistent.
void FloodTraffic::AppendMap(Bytes& out, int command) {
  Bytes body{static_cast<uint8_t>(Below(2) ? Below(128) : 10)};
  const int outputs = Below(4) == 0 ? Below(16384) : Below(64);
  PutNumber(body, outputs);
  PutNumber(body, Below(4) == 0 ? Below(16384) : Below(outputs_));
  const int blocks = std::min(outputs, 256);
  for (int o = 0; o < blocks; ++o) {
    const int entries = Below(8) == 0 ? Below(16384) : Below(4);
    PutNumber(body, entries);
    for (int k = 0, n = std::min(entries, 8) * 4; k < n; ++k)
      body.push_back(static_cast<uint8_t>(random_() & 127u));
  }
  AppendFramed(out, command, body, Below(10) == 0);
}

}  // namespace sim
