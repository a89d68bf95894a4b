#include "DataFiles.h"

#include <algorithm>

namespace sim {
namespace {

constexpr int kOffDigit = '0';
constexpr int kInhibitedDigit = '1';
const std::string kOffAlpha = "- OFF -";

void AppendInt16(Bytes& bytes, int value) {
  const auto word = static_cast<uint16_t>(static_cast<int16_t>(value));
  bytes.push_back(static_cast<uint8_t>(word & 0xFF));
  bytes.push_back(static_cast<uint8_t>(word >> 8));
}

void AppendAlpha(Bytes& bytes, const std::string& alpha) {
  for (size_t i = 0; i < kFileAlphaBytes; ++i) {
    bytes.push_back(static_cast<uint8_t>(i < alpha.size() ? alpha[i] : ' '));
  }
}

// The channel at selector position p of a list of `count`.
int ChannelAt(int p, int count, bool scrambled) {
  return scrambled ? count - 1 - p : p;
}

void AppendCountedTable(Bytes& bytes, const std::vector<std::string>& alphas, bool scrambled) {
  const auto count = static_cast<int>(alphas.size());
  AppendInt16(bytes, count);
  for (int p = 0; p < count; ++p) AppendAlpha(bytes, alphas[ChannelAt(p, count, scrambled)]);
  for (int p = 0; p < count; ++p) AppendInt16(bytes, ChannelAt(p, count, scrambled));
}

// The real input an output takes, or -1 for none (the off source or unrouted).
int RealSource(const Router& router, int output) {
  const int source = router.ShownSource(output);
  return source >= 0 && source < router.inputCount ? source : -1;
}

// The byte that stands for "no real source" in the fixed map: the first position past the
// inputs, which is the off source on a type-1301 router and blank otherwise.
uint8_t FixedNoSource(const Router& router) {
  return router.inputCount < kFixedChannels ? static_cast<uint8_t>(router.inputCount) : 0;
}

void AppendFixedTable(Bytes& bytes, const std::vector<std::string>& alphas, bool withOff,
                      bool scrambled) {
  const auto count = static_cast<int>(alphas.size());
  auto channel = [&](int p) { return p < count ? ChannelAt(p, count, scrambled) : p; };
  for (int p = 0; p < kFixedChannels; ++p) {
    AppendAlpha(bytes, p < count ? alphas[channel(p)] : (withOff && p == count ? kOffAlpha : ""));
  }
  for (int p = 0; p < kFixedChannels; ++p) bytes.push_back(static_cast<uint8_t>(channel(p)));
}

}  // namespace

Bytes EncodeStatusFile(uint8_t status) {
  return Bytes{status};
}

Bytes EncodeCountedAlphaFile(const Router& router, const FileLayout& layout) {
  Bytes bytes;
  AppendInt16(bytes, router.type);
  AppendCountedTable(bytes, router.inputNames, layout.scrambled);
  AppendCountedTable(bytes, router.outputNames, layout.scrambled);
  return bytes;
}

Bytes EncodeCountedMapFile(const Router& router, uint8_t serial, const FileLayout& layout) {
  Bytes bytes{serial};
  AppendInt16(bytes, router.outputCount);
  for (int o = 0; o < router.outputCount; ++o) {
    const int source = RealSource(router, o);
    if (source < 0) {
      AppendInt16(bytes, 0);
      continue;
    }
    AppendInt16(bytes, layout.mapSources);
    for (int k = 0; k < layout.mapSources; ++k)
      AppendInt16(bytes, (source + k) % router.inputCount);
  }
  return bytes;
}

Bytes EncodeCountedInhibitFile(const Router& router) {
  Bytes bytes;
  bytes.reserve(4 + static_cast<size_t>(router.outputCount) * router.inputCount);
  AppendInt16(bytes, router.outputCount);
  AppendInt16(bytes, router.inputCount);
  for (int o = 0; o < router.outputCount; ++o) {
    for (int i = 0; i < router.inputCount; ++i) {
      bytes.push_back(router.IsInhibited(o, i) ? kInhibitedDigit : kOffDigit);
    }
  }
  return bytes;
}

Bytes EncodeFixedAlphaFile(const Router& router, const FileLayout& layout) {
  Bytes bytes;
  AppendFixedTable(bytes, router.inputNames, router.HasOffSource(), layout.scrambled);
  AppendFixedTable(bytes, router.outputNames, false, layout.scrambled);
  return bytes;
}

Bytes EncodeFixedMapFile(const Router& router, uint8_t serial) {
  Bytes bytes(1 + kFixedChannels, FixedNoSource(router));
  bytes[0] = serial;
  for (int o = 0; o < std::min(router.outputCount, kFixedChannels); ++o) {
    const int source = RealSource(router, o);
    if (source >= 0 && source < kFixedChannels) bytes[1 + o] = static_cast<uint8_t>(source);
  }
  return bytes;
}

Bytes EncodeFixedInhibitFile(const Router& router) {
  Bytes bytes(kFixedChannels * kFixedChannels, 0);
  for (int o = 0; o < std::min(router.outputCount, kFixedChannels); ++o) {
    for (int i = 0; i < std::min(router.inputCount, kFixedChannels); ++i) {
      if (router.IsInhibited(o, i)) bytes[o * kFixedChannels + i] = 1;
    }
  }
  return bytes;
}

std::string FixedFilesRefusal(const Router& router) {
  if (router.inputCount > kFixedChannels || router.outputCount > kFixedChannels) {
    return "the fixed files hold at most 256 inputs and 256 outputs";
  }
  if (router.inputCount < kFixedChannels) return {};
  // With 256 inputs every byte of the map names a real input: none is left for "no source".
  bool unrouted = false;
  for (int o = 0; o < router.outputCount; ++o) unrouted = unrouted || RealSource(router, o) < 0;
  if (router.HasOffSource() || unrouted) {
    return "with 256 inputs the fixed crosspoint file has no byte for an output without a source "
           "(off source or unrouted output)";
  }
  return {};
}

std::string CountedFilesRefusal(const Router& router) {
  if (static_cast<int64_t>(router.inputCount) * router.outputCount > kMaxInhibitFileBytes) {
    return "the inhibit file of a router this large would pass 64 MiB";
  }
  return {};
}

uint8_t NextSerial(uint8_t serial) {
  return serial == 255 ? 1 : static_cast<uint8_t>(serial + 1);
}

}  // namespace sim
