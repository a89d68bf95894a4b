#include "settings/PasswordText.h"

#include <array>
#include <cstdint>
#include <optional>

#include "settings/IniFile.h"

namespace dazi {
namespace {

// Files written by the old panel hold the password in Windows-1252; these are the bytes where
// that code page differs from Latin-1. Zero marks a byte Windows-1252 leaves undefined.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t FromCp1252(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F && kCp1252High[byte - 0x80] != 0) {
    return kCp1252High[byte - 0x80];
  }
  return byte;
}

// The plain form survives only when the INI reader can hand it back unchanged: printable ASCII,
// no blanks at the ends (they are trimmed), and not mistakable for the hex form.
bool CanStorePlain(const std::u16string& scrambled) {
  for (char16_t c : scrambled) {
    if (c < 0x20 || c > 0x7E) return false;
  }
  if (!scrambled.empty() && (scrambled.front() == u' ' || scrambled.back() == u' ')) return false;
  return !std::u16string_view(scrambled).starts_with(u"{u16}");
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::u16string> DecodeHex(std::string_view digits) {
  if (digits.size() % 4 != 0) return std::nullopt;
  std::u16string codes;
  codes.reserve(digits.size() / 4);
  for (size_t i = 0; i < digits.size(); i += 4) {
    unsigned code = 0;
    for (size_t k = i; k < i + 4; ++k) {
      const int digit = HexDigitValue(digits[k]);
      if (digit < 0) return std::nullopt;
      code = code * 16 + static_cast<unsigned>(digit);
    }
    codes.push_back(static_cast<char16_t>(code));
  }
  return codes;
}

}  // namespace

// Positions wrap with the codes (modulo 65536), so both directions stay exact inverses.
std::u16string ScramblePassword(const std::u16string& password) {
  std::u16string stored(password.size(), u'\0');
  for (size_t i = 0; i < password.size(); ++i) {
    stored[i] = static_cast<char16_t>(password[i] - static_cast<uint16_t>(i + 1));
  }
  return stored;
}

std::u16string UnscramblePassword(const std::u16string& stored) {
  std::u16string password(stored.size(), u'\0');
  for (size_t i = 0; i < stored.size(); ++i) {
    password[i] = static_cast<char16_t>(stored[i] + static_cast<uint16_t>(i + 1));
  }
  return password;
}

std::string EncodePasswordValue(const std::u16string& password) {
  const std::u16string scrambled = ScramblePassword(password);
  if (CanStorePlain(scrambled)) return std::string(scrambled.begin(), scrambled.end());

  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string value(kHexPasswordPrefix);
  value.reserve(value.size() + scrambled.size() * 4);
  for (char16_t c : scrambled) {
    for (int shift = 12; shift >= 0; shift -= 4) value.push_back(kHex[(c >> shift) & 0xF]);
  }
  return value;
}

std::u16string DecodePasswordValue(std::string_view value) {
  if (value.starts_with(kHexPasswordPrefix)) {
    if (auto codes = DecodeHex(value.substr(kHexPasswordPrefix.size()))) {
      return UnscramblePassword(*codes);
    }
  }
  std::u16string scrambled;
  scrambled.reserve(value.size());
  for (char c : value) scrambled.push_back(FromCp1252(static_cast<unsigned char>(c)));
  return UnscramblePassword(scrambled);
}

}  // namespace dazi
