#include "settings/IniValues.h"

#include <limits>

namespace dazi {
namespace {

constexpr bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
constexpr bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Far beyond any accepted value, yet safe from overflow while digits are added.
constexpr int64_t kSaturated = int64_t{1} << 40;

struct DecimalPrefix {
  int64_t value = 0;  // rounded, saturated at +-kSaturated
  size_t length = 0;  // characters used; 0 when the text does not start with a number
};

// [sign] digits [. digits], at least one digit; stops at the first character that does not fit.
DecimalPrefix ReadDecimalPrefix(std::string_view text) {
  size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  int64_t whole = 0;
  int digits = 0;
  while (pos < text.size() && IsDigit(text[pos])) {
    if (whole < kSaturated) whole = whole * 10 + (text[pos] - '0');
    ++digits;
    ++pos;
  }
  int firstFractionDigit = 0;
  bool moreAfterFirst = false;
  if (pos < text.size() && text[pos] == '.') {
    size_t fractionStart = ++pos;
    while (pos < text.size() && IsDigit(text[pos])) {
      if (pos == fractionStart) {
        firstFractionDigit = text[pos] - '0';
      } else if (text[pos] != '0') {
        moreAfterFirst = true;
      }
      ++digits;
      ++pos;
    }
  }
  if (digits == 0) return {};

  if (whole > kSaturated) whole = kSaturated;
  const bool roundUp =
      firstFractionDigit > 5 || (firstFractionDigit == 5 && (moreAfterFirst || whole % 2 == 1));
  if (roundUp) ++whole;
  return {negative ? -whole : whole, pos};
}

}  // namespace

std::optional<int> ParseInt16Setting(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  const DecimalPrefix number = ReadDecimalPrefix(text);
  if (number.length == 0 || number.length != text.size()) return std::nullopt;
  if (number.value < std::numeric_limits<int16_t>::min() ||
      number.value > std::numeric_limits<int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(number.value);
}

int64_t LeadingNumber(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return ReadDecimalPrefix(text).value;
}

std::optional<int32_t> ParseLeadingInt32(std::string_view text) {
  const int64_t number = LeadingNumber(text);
  if (number < std::numeric_limits<int32_t>::min() ||
      number > std::numeric_limits<int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int32_t>(number);
}

}  // namespace dazi
