#include "link_tcp/ByteManipulation.h"

#include "core/Panel.h"

namespace dazi {
// Stub: to be written.
int16_t JoinBytes(uint8_t low, uint8_t high) { return static_cast<int16_t>(high * 128 + low); }
int16_t SplitRunByte(uint8_t& b) { int16_t f = (b >> 6) & 1; b &= 63; return f; }
uint8_t ComputeChecksum(std::span<const uint8_t>, int) { return 0; }
std::vector<uint8_t> TrimBuffer(Panel& panel, int32_t n) { return panel.Received.Take(n); }
int32_t FindEOM(std::span<const uint8_t>) { return 0; }
void AppendNumber(std::vector<uint8_t>& m, int v) { m.push_back(v & 127); m.push_back(v >> 7); }
}  // namespace dazi
