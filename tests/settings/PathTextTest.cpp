#include "settings/PathText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace dazi {
namespace {

TEST(PathText, ShowsEveryPathAsUtf8AndReadsItBackExactly) {
  const std::pair<std::string, std::string> cases[] = {
      {"/srv/s\xC3\xA9rv/", "/srv/s\xC3\xA9rv/"},  // UTF-8 stays as it is
      {"/srv/s\xE9rv", "/srv/s\\xE9rv"},           // a Latin-1 name from an old share
      {"S:\\Server\\", "S:\\Server\\"},            // a path written on Windows
      {"/a\\x41", "/a\\x5Cx41"},                   // a backslash that would read as a byte
      {"/\xED\xA0\x80/\xC0\xAF/\xF4\x90", "/\\xED\\xA0\\x80/\\xC0\\xAF/\\xF4\\x90"},  // no UTF-8
  };
  for (const auto& [path, shown] : cases) {
    EXPECT_EQ(ShownPath(path), shown);
    EXPECT_EQ(PathFromShown(shown), path);
  }
  EXPECT_EQ(PathFromShown("/s\\xe9rv/\\xZZ"), "/s\xE9rv/\\xZZ");  // typed in lower case
}

}  // namespace
}  // namespace dazi
