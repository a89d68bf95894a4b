// The values of the settings file: numbers, and the password's scrambled text.
#include "settings/IniValues.h"
#include "settings/PasswordText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/IniFile.h"

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

TEST(PasswordText, RoundTripsEveryCodeAtSeveralPositions) {
  for (size_t position : {1u, 2u, 5u, 33u, 300u}) {
    for (unsigned code = 0; code <= 0xFFFF; ++code) {
      std::u16string password(position - 1, u'k');
      password.push_back(static_cast<char16_t>(code));
      password.push_back(u'z');
      const std::string stored = EncodePasswordValue(password);
      ASSERT_EQ(DecodePasswordValue(stored), password)
          << "code " << code << " at position " << position << " stored as " << stored;
    }
  }
}

// Plain text only where the scrambled form survives the file: not code 0, no blank at an end,
// not mistakable for the hex form. Anything else read is taken as Windows-1252 bytes.
TEST(PasswordText, StoresPlainTextOnlyWhenItSurvivesTheFileAndReadsWindows1252) {
  EXPECT_EQ(EncodePasswordValue(u"abc"), "```");
  EXPECT_EQ(EncodePasswordValue(u"a\"c"), "` `");
  EXPECT_EQ(EncodePasswordValue(u""), "");
  EXPECT_EQ(EncodePasswordValue(u"\x01"), "{u16}0000");
  EXPECT_EQ(EncodePasswordValue(u"a\""), "{u16}00600020");
  EXPECT_EQ(EncodePasswordValue(UnscramblePassword(u"{u16}0041")).substr(0, 9), "{u16}007B");

  EXPECT_EQ(DecodePasswordValue("```"), u"abc");
  EXPECT_EQ(DecodePasswordValue("\x80"), u"\x20AD");  // euro sign, plus position 1
  EXPECT_EQ(DecodePasswordValue("\x81"), u"\x0082");  // undefined in 1252: the byte itself
  EXPECT_EQ(DecodePasswordValue("a\xE9"), u"b\x00EB");
  EXPECT_EQ(DecodePasswordValue("{u16}00ff"), UnscramblePassword(u"\x00FF"));
  EXPECT_EQ(DecodePasswordValue("{u16}004"), UnscramblePassword(u"{u16}004"));
  EXPECT_EQ(DecodePasswordValue("{u16}00G1"), UnscramblePassword(u"{u16}00G1"));
}

}  // namespace
}  // namespace dazi
