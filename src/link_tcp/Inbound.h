// Handlers of the server's messages. Each takes the whole message, command byte to end byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dazi {

struct Panel;
using Message = std::vector<uint8_t>;

// Single-byte messages: the poll, its two answers, and one that asks nothing.
void ProcessSingleByte(Panel& panel, uint8_t command);

void ProcessAlphaTable(Panel& panel, const Message& message);
void ProcessCrosspointMap(Panel& panel, const Message& message);
void ProcessInhibitMap(Panel& panel, const Message& message);
void ProcessTake(Panel& panel, const Message& message);
void ProcessSwitcherType(Panel& panel, const Message& message);
void ProcessSalvoEvents(Panel& panel, const Message& message);
void ProcessQuery(Panel& panel, const Message& message);
void ProcessServerRequest(Panel& panel, const Message& message);

// Where a take report last found the shown source among the input positions. Take reports
// change neither the inputs nor the chosen destination, so within an unbroken run of them a
// source found once is found at the same position again; any other message ends the run.
struct TakeLookup {
  bool valid = false;
  int16_t source = 0;
  int position = -1;  // -1: no position holds the source
};

// Hands a framed message to the handler of its command byte; unknown commands are consumed.
void DispatchMessage(Panel& panel, const Message& message);
// The same within a run of messages that shares the take reports' lookup.
void DispatchMessage(Panel& panel, const Message& message, TakeLookup& lookup);

// Shared by the handlers: the checksum byte at n - 2 matches the body; and the 14-bit number at
// pos, pos + 1 (throws std::out_of_range past the message's end).
bool ChecksumValid(const Message& message);
int ReadNumber(const Message& message, size_t pos);

// Selector order of an alpha table, as record indexes: ascending by the upper-cased alpha (ASCII,
// by character code). Alphas that compare equal come in the order the classic exchange sort gave
// them (for i, for j > i, swap when alpha i > alpha j), found in O(n log n).
std::vector<int> SortedAlphaOrder(const std::vector<std::string>& alphas);

}  // namespace dazi
