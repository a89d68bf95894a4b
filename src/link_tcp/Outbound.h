// Messages from the panel to the server.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dazi {

struct Panel;

std::vector<uint8_t> BuildInfoRequest(int32_t mask);
std::vector<uint8_t> BuildCrosspointChange(int controlWord, int input, int output);
std::vector<uint8_t> BuildSalvoExecute(int salvo);
// The password's length travels as one body byte, and body bytes stay below 128.
inline constexpr size_t kMaxPasswordLength = 127;
// Empty when the password cannot travel: longer than kMaxPasswordLength, or a character that
// does not fit 7-bit ASCII.
std::optional<std::vector<uint8_t>> BuildPassword(const std::u16string& password);
std::vector<uint8_t> BuildQueryAnswer();
bool PasswordCanTravel(const std::u16string& password);

// Writes a message to the socket; a socket that is not connected turns it into a disconnection.
// True when the whole message went out.
bool SendToSwitcher(Panel& panel, const std::vector<uint8_t>& message);
// Sends the request and makes mask the pending information. True when it went out.
bool SendInfoRequest(Panel& panel, int32_t mask);
bool SendCrosspointChange(Panel& panel, int output, int input);
// Sets PendingSalvo to 16383 after sending. True when it went out.
bool SendSalvoExecute(Panel& panel, int salvo);

}  // namespace dazi
