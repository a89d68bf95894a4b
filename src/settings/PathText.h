// How a path of this computer's file system is shown and typed. A path is a string of bytes (the
// server path keeps them as they are, in memory and in zorntpnl.ini); on screen it is UTF-8 text,
// with each byte that is not part of valid UTF-8 written as \xNN, so that every path can be
// shown, typed and read back exactly. A backslash that would read as such a byte is itself
// written \x5C.
#pragma once

#include <string>
#include <string_view>

namespace dazi {

// The text a path is shown as: valid UTF-8.
std::string ShownPath(std::string_view path);
// The path a shown or typed text names: \xNN (two hex digits, either case) is that byte.
std::string PathFromShown(std::string_view text);

}  // namespace dazi
