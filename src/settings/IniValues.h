// Turning the settings file's texts into numbers, the way the panel has always read them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace dazi {

// A whole decimal number for a 16-bit key: blanks around it, a sign and a fraction are allowed;
// the fraction rounds half to even. Nothing when the text is anything else or the result does
// not fit -32768..32767.
std::optional<int> ParseInt16Setting(std::string_view text);

// The leading decimal number of the text, like VB's Val: 0 when there is none, trailing junk
// ignored, rounded half to even. Huge numbers saturate far beyond any range the panel checks
// (at +-2^40), so a range test on the result never overflows.
int64_t LeadingNumber(std::string_view text);

// The leading decimal number of the text, like VB's Val: 0 when there is none, trailing junk
// ignored, rounded half to even. Nothing when the result does not fit a signed 32-bit integer.
std::optional<int32_t> ParseLeadingInt32(std::string_view text);

}  // namespace dazi
