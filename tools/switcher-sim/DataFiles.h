// The network data files a Server Module keeps in its shared directory, byte for byte. Integers
// are signed 16-bit little-endian, alphas exactly 8 bytes (cut or padded with blanks), channels
// count from 0 and are listed in channel order.
#pragma once

#include <cstdint>
#include <string>

#include "MessageBuilder.h"
#include "Router.h"

namespace sim {

inline constexpr size_t kFileAlphaBytes = 8;
inline constexpr int kFixedChannels = 256;
// The inhibit file holds one byte per (output, input) pair; beyond this the simulator refuses.
inline constexpr int64_t kMaxInhibitFileBytes = 64 * 1024 * 1024;

// Status.ndf: one byte (1: link to the switcher OK, 0: down, anything else: unknown).
Bytes EncodeStatusFile(uint8_t status);

// How the files lay out what they carry, beyond what the layouts fix.
struct FileLayout {
  // The alpha files list the channels in reverse order, so that a selector position is not its
  // channel number.
  bool scrambled = false;
  // Sources per routed output in the counted map: the routed one first, then the inputs after
  // it, as a server with several levels lists them.
  int mapSources = 1;
};

// lalpha.ndf: type, N, N input alphas, N input channels, M, M output alphas, M output channels.
Bytes EncodeCountedAlphaFile(const Router& router, const FileLayout& layout = {});
// lxptmap.ndf: serial byte, M, then per output its number of sources and the sources. An output
// without a real source (the off source, or unrouted) has no source in the record.
Bytes EncodeCountedMapFile(const Router& router, uint8_t serial, const FileLayout& layout = {});
// linhbt.ndf: M (rows), N (columns), then '1' (inhibited) or '0' per pair, row by row.
Bytes EncodeCountedInhibitFile(const Router& router);

// The fixed 256 x 256 files: Alpha.ndf (4608 bytes: 256 input alphas, 256 input channel bytes,
// 256 output alphas, 256 output channel bytes), Xptmap.ndf (257 bytes: serial, then the source
// byte of outputs 0..255) and Inhbt.ndf (65536 bytes: byte 256 r + c is 1 when input c is
// inhibited for output r). Positions past the router's channels have blank alphas and their own
// position as channel; on a type-1301 router position N (the input count) is the off source,
// "- OFF -". An output without a real source shows input N.
Bytes EncodeFixedAlphaFile(const Router& router, const FileLayout& layout = {});
Bytes EncodeFixedMapFile(const Router& router, uint8_t serial);
Bytes EncodeFixedInhibitFile(const Router& router);

// Why the fixed files cannot describe this router, or empty when they can.
std::string FixedFilesRefusal(const Router& router);
// Why the count-prefixed inhibit file would be too large, or empty.
std::string CountedFilesRefusal(const Router& router);

// The crosspoint serial after `serial`: 1, 2, ... 255, 1, ... A reader starts from 0, so 0 is
// never written.
uint8_t NextSerial(uint8_t serial);

}  // namespace sim
