// How the link log shows a message: its name and its bytes in hex. The panel and the switcher
// simulator both use it, so their logs read alike and can be laid side by side.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace dazi {

enum class LinkSender { Panel, Server };

// The message's name by its command byte; the same byte means different things from each side
// (254 is the panel's crosspoint change and the server's take report).
const char* LinkMessageName(LinkSender sender, uint8_t command);

// "take report: FE 04 08 0C 00 05 00 1D FF". Long messages show their first 64 bytes and their
// length; a password's characters are masked.
std::string DescribeLinkMessage(LinkSender sender, const uint8_t* data, size_t size);

}  // namespace dazi
