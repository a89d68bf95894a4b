#include "link_tcp/Outbound.h"

#include "core/Panel.h"

namespace dazi {
// Stub: to be written.
std::vector<uint8_t> BuildInfoRequest(int32_t) { return {}; }
std::vector<uint8_t> BuildCrosspointChange(int, int, int) { return {}; }
std::vector<uint8_t> BuildSalvoExecute(int) { return {}; }
std::optional<std::vector<uint8_t>> BuildPassword(const std::u16string&) { return {}; }
std::vector<uint8_t> BuildQueryAnswer() { return {}; }
bool PasswordCanTravel(const std::u16string&) { return false; }
bool SendToSwitcher(Panel&, const std::vector<uint8_t>&) { return false; }
bool SendInfoRequest(Panel&, int32_t) { return false; }
bool SendCrosspointChange(Panel&, int, int) { return false; }
bool SendSalvoExecute(Panel&, int) { return false; }
}  // namespace dazi
