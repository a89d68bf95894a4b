#include "settings/IniValues.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace dazi {
namespace {

struct Conversion {
  std::string text;
  std::optional<int> expected;
};

TEST(ParseInt16Setting, AcceptsOnlyAWholeDecimalNumberInRange) {
  const Conversion cases[] = {
      {"  12.5\t", 12},  // halves go to the even neighbour
      {"13.5", 14},
      {"-12.5", -12},
      {"12.500001", 13},
      {"+7", 7},
      {".5", 0},
      {"-32768", -32768},
      {"32767.5", std::nullopt},
      {"40000", std::nullopt},
      {"", std::nullopt},
      {"12x", std::nullopt},
      {"1 2", std::nullopt},
      {"1e3", std::nullopt},
      {"-", std::nullopt},
      {"99999999999999999999999999", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseInt16Setting(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(ParseLeadingInt32, ReadsTheLeadingNumberLikeVal) {
  const Conversion cases[] = {
      {"  1300xyz", 1300},
      {"abc", 0},
      {"+", 0},
      {"-7", -7},
      {"2.5", 2},
      {"-2147483648", -2147483647 - 1},
      {"2147483647.5", std::nullopt},
      {"99999999999999999999999999", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseLeadingInt32(c.text), c.expected) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace dazi
