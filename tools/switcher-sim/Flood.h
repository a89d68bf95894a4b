// Hostile traffic for the flood fault switch: random bytes, random messages of every command
// (well formed and not) and bursts of take reports, generated as fast as a panel takes them.
#pragma once

#include <cstdint>
#include <random>

#include "MessageBuilder.h"

namespace sim {

class FloodTraffic {
 public:
  FloodTraffic(int inputCount, int outputCount, uint32_t seed)
      : inputs_(inputCount), outputs_(outputCount), random_(seed) {}

  // Appends at least `bytes` bytes of flood traffic.
  void Append(Bytes& out, size_t bytes);

 private:
  void AppendRandomBytes(Bytes& out);
  void AppendTakeBurst(Bytes& out);
  void AppendRandomMessage(Bytes& out);
  void AppendAlphaTable(Bytes& out);
  void AppendMap(Bytes& out, int command);
  int Below(int limit) { return static_cast<int>(random_() % static_cast<uint32_t>(limit)); }

  int inputs_;
  int outputs_;
  std::mt19937 random_;
};

}  // namespace sim
