// What the setup dialog's boxes accept: the key filters and the address check.
#include <algorithm>
#include <string>

#include "panel/SetupForm.h"
#include "settings/IniValues.h"

namespace dazi {

namespace {

constexpr int kBackspace = 8;

bool IsDigit(int key) {
  return key >= '0' && key <= '9';
}

// The leading number of one part of an address, kept within 0..255.
int AddressPart(std::string_view text) {
  return static_cast<int>(std::clamp<int64_t>(LeadingNumber(text), 0, 255));
}

}  // namespace

int SetupBox_KeyPress(SetupBox box, int keyAscii) {
  if (box == SetupBox::txtPassword || keyAscii == kBackspace || IsDigit(keyAscii)) return keyAscii;
  if (box == SetupBox::txtIP && keyAscii == '.') return keyAscii;
  return 0;
}

bool CheckIPAddress(std::string& txtIP) {
  const size_t p1 = txtIP.find('.');
  if (p1 == std::string::npos) return false;
  const size_t p2 = txtIP.find('.', p1 + 1);
  if (p2 == std::string::npos) return false;
  const size_t p3 = txtIP.find('.', p2 + 1);
  if (p3 == std::string::npos || p3 + 1 == txtIP.size()) return false;

  const std::string_view text(txtIP);
  // The last part runs to the end, further full stops included.
  const int parts[] = {
      AddressPart(text.substr(0, p1)), AddressPart(text.substr(p1 + 1, p2 - p1 - 1)),
      AddressPart(text.substr(p2 + 1, p3 - p2 - 1)), AddressPart(text.substr(p3 + 1))};
  txtIP = std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." +
          std::to_string(parts[2]) + "." + std::to_string(parts[3]);
  return true;
}

}  // namespace dazi
