// Handlers of the server's messages. Each takes the whole message, command byte to end byte.
#pragma once

#include <cstdint>
#include <vector>

namespace dazi {

struct Panel;
using Message = std::vector<uint8_t>;

// Single-byte messages: poll (245), poll answers (244, 241), and 243.
void ProcessSingleByte(Panel& panel, uint8_t command);

void ProcessAlphaTable(Panel& panel, const Message& message);
void ProcessCrosspointMap(Panel& panel, const Message& message);
void ProcessInhibitMap(Panel& panel, const Message& message);
void ProcessTake(Panel& panel, const Message& message);
void ProcessSwitcherType(Panel& panel, const Message& message);
void ProcessSalvoEvents(Panel& panel, const Message& message);
void ProcessQuery(Panel& panel, const Message& message);
void ProcessServerRequest(Panel& panel, const Message& message);

// Hands a framed message to the handler of its command byte; unknown commands are consumed.
void DispatchMessage(Panel& panel, const Message& message);

}  // namespace dazi
