#include "settings/PathText.h"

#include <cstdint>

namespace dazi {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsByteEscape(std::string_view text, std::size_t at) {
  return at + 3 < text.size() && text[at] == '\\' && text[at + 1] == 'x' &&
         HexValue(text[at + 2]) >= 0 && HexValue(text[at + 3]) >= 0;
}

// The length of the valid UTF-8 sequence at `at` (no overlong forms, no surrogates, nothing
// above U+10FFFF); 0 when the byte there does not start one.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<uint8_t>(text[i]); };
  const uint8_t lead = byte(at);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  uint8_t low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
  }
  return length;
}

void AppendEscape(std::string& out, uint8_t byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out += "\\x";
  out += kDigits[byte >> 4];
  out += kDigits[byte & 0xF];
}

}  // namespace

std::string ShownPath(std::string_view path) {
  std::string out;
  out.reserve(path.size());
  for (std::size_t at = 0; at < path.size();) {
    const std::size_t length = Utf8Length(path, at);
    if (length == 0 || IsByteEscape(path, at)) {
      AppendEscape(out, static_cast<uint8_t>(path[at]));
      ++at;
    } else {
      out.append(path.substr(at, length));
      at += length;
    }
  }
  return out;
}

std::string PathFromShown(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    if (IsByteEscape(text, at)) {
      out += static_cast<char>(HexValue(text[at + 2]) * 16 + HexValue(text[at + 3]));
      at += 4;
    } else {
      out += text[at++];
    }
  }
  return out;
}

}  // namespace dazi
