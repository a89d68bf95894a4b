// Byte encodings of the server protocol: 14-bit numbers in two 7-bit bytes, the flag-and-run
// byte, the 7-bit checksum.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace dazi {

// high x 128 + low, unmasked; throws std::overflow_error beyond the signed 16-bit range.
int16_t JoinBytes(uint8_t low, uint8_t high);
// Returns bit 6 of b (0 or 1) and clears bits 6 and 7 of b.
int16_t SplitRunByte(uint8_t& b);
// Sum of bytes 1 .. (last index - skip), kept to 7 bits; 0 when that range is empty.
uint8_t ComputeChecksum(std::span<const uint8_t> message, int skip);

// Appends a 14-bit number, low part first. Throws std::out_of_range outside 0..16383.
void AppendNumber(std::vector<uint8_t>& message, int value);

}  // namespace dazi
