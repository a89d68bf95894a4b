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
      {"100", 100},
      {"  12.5\t", 12},
      {"13.5", 14},
      {"-12.5", -12},
      {"12.51", 13},
      {"12.500001", 13},
      {"+7", 7},
      {".5", 0},
      {"7.", 7},
      {"32767", 32767},
      {"-32768", -32768},
      {"32767.5", std::nullopt},
      {"32768", std::nullopt},
      {"40000", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"abc", std::nullopt},
      {"12x", std::nullopt},
      {"1 2", std::nullopt},
      {"1e3", std::nullopt},
      {".", std::nullopt},
      {"-", std::nullopt},
      {"--1", std::nullopt},
      {"&H10", std::nullopt},
      {"99999999999999999999999999", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseInt16Setting(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(ParseLeadingInt32, ReadsTheLeadingNumberLikeVal) {
  const Conversion cases[] = {
      {"1250", 1250},
      {"  1300xyz", 1300},
      {"abc", 0},
      {"", 0},
      {"+", 0},
      {"-7", -7},
      {"70000", 70000},
      {"2.5", 2},
      {"3.5", 4},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"2147483648", std::nullopt},
      {"2147483647.5", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999999999", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseLeadingInt32(c.text), c.expected) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace dazi
