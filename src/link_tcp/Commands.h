// The command bytes of the server protocol, each named once. A byte from 128 to 254 opens a
// message and 255 ends it; the first four below are whole messages on their own. A byte both
// sides send is named for what it does, whoever sends it.
#pragma once

#include <cstdint>

namespace dazi::protocol {

inline constexpr uint8_t kPoll = 245;  // either side asks the other whether it is there
// The answer to a poll; from the server it also says the switcher link is up.
inline constexpr uint8_t kPollAnswer = 244;
inline constexpr uint8_t kPollAnswerLinkDown = 241;  // from the server: the switcher link is down
inline constexpr uint8_t kNoAction = 243;            // from the server: consumed, nothing done

inline constexpr uint8_t kAlphaTable = 252;
inline constexpr uint8_t kCrosspointMap = 246;
inline constexpr uint8_t kInhibitMap = 248;
// From the panel, a crosspoint change; from the server, the report of one (a take report).
inline constexpr uint8_t kCrosspointChange = 254;
inline constexpr uint8_t kSwitcherType = 229;
inline constexpr uint8_t kSalvoEvents = 235;
// From the server, a query; from the panel, the answer to it.
inline constexpr uint8_t kQuery = 129;
// From the panel, the request for information; from the server, its request for the password.
inline constexpr uint8_t kInfoRequest = 242;
inline constexpr uint8_t kSalvoExecute = 234;
inline constexpr uint8_t kPassword = 128;

inline constexpr uint8_t kEOM = 255;  // ends every message but the single-byte ones

// A message's other bytes all lie below 128, so a command byte always starts a new one.
inline constexpr bool IsCommandByte(uint8_t b) {
  return b >= 128;
}

// Whole messages of one byte: no body, no end byte.
inline constexpr bool IsSingleByte(uint8_t command) {
  return command == kPoll || command == kPollAnswer || command == kPollAnswerLinkDown ||
         command == kNoAction;
}

}  // namespace dazi::protocol
