#include "settings/IniValues.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace dazi {
namespace {

// Each text through both readers: a whole 16-bit number, and the leading 32-bit one (like Val).
// Halves go to the even neighbour.
TEST(IniValues, ParseNumbersRoundingHalvesToEvenWithinTheirRange) {
  const std::optional<int> no;
  const struct {
    std::string text;
    std::optional<int> int16, leadingInt32;
  } cases[] = {
      // clang-format off
      {"  12.5\t", 12, 12}, {"13.5", 14, 14}, {"-12.5", -12, -12}, {"12.500001", 13, 13},
      {"+7", 7, 7}, {".5", 0, 0}, {"2.5", 2, 2}, {"-32768", -32768, -32768},
      {"32767.5", no, 32768}, {"40000", no, 40000}, {"", no, 0}, {"+", no, 0}, {"-", no, 0},
      {"abc", no, 0}, {"12x", no, 12}, {"  1300xyz", no, 1300}, {"1 2", no, 1}, {"1e3", no, 1},
      {"-2147483648", no, -2147483647 - 1}, {"2147483647.5", no, no},
      {"99999999999999999999999999", no, no},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE('"' + c.text + '"');
    EXPECT_EQ(ParseInt16Setting(c.text), c.int16);
    EXPECT_EQ(ParseLeadingInt32(c.text), c.leadingInt32);
  }
}

}  // namespace
}  // namespace dazi
