// Builders for the server's messages, so tests can state layouts rather than checksums.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace dazi::testing {

using Bytes = std::vector<uint8_t>;

inline void PutNumber(Bytes& bytes, int value) {
  bytes.push_back(static_cast<uint8_t>(value % 128));
  bytes.push_back(static_cast<uint8_t>(value / 128));
}

// Command byte, body, checksum (body sum mod 128), end byte.
inline Bytes Framed(uint8_t command, const Bytes& body) {
  Bytes message;
  message.reserve(body.size() + 3);
  message.push_back(command);
  int sum = 0;
  for (uint8_t b : body) {
    message.push_back(b);
    sum += b;
  }
  message.push_back(static_cast<uint8_t>(sum % 128));
  message.push_back(255);
  return message;
}

// Alpha table: records are (alpha of exactly alphaLength bytes, channel or salvo number).
inline Bytes AlphaTable(int kind, int alphaLength, int first,
                        const std::vector<std::pair<std::string, int>>& records) {
  Bytes body{static_cast<uint8_t>(kind), static_cast<uint8_t>(alphaLength)};
  PutNumber(body, static_cast<int>(records.size()));
  PutNumber(body, first);
  for (const auto& [alpha, number] : records) {
    body.insert(body.end(), alpha.begin(), alpha.end());
    PutNumber(body, number);
  }
  return Framed(252, body);
}

inline Bytes TakeReport(int input, int output) {
  Bytes body{4, 8};
  PutNumber(body, input);
  PutNumber(body, output);
  return Framed(254, body);
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

}  // namespace dazi::testing
