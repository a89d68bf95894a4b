// The password's value in zorntpnl.ini: scrambled, then written so that every code survives.
#pragma once

#include <string>
#include <string_view>

namespace dazi {

// Marks a value written as four hex digits per scrambled code unit.
inline constexpr std::string_view kHexPasswordPrefix = "{u16}";

// The value to store for a password held in clear.
std::string EncodePasswordValue(const std::u16string& password);
// The password in clear from a stored value, hex form or one byte per character.
std::u16string DecodePasswordValue(std::string_view value);

}  // namespace dazi
