// A settings file as an operator's copy of the panel holds it, for tests that start the program:
// File Mode refreshes every 100 ms, TCP/IP Mode polls every second; inhibited sources are hidden.
#pragma once

#include <string>

#include "settings/PasswordText.h"

namespace dazi::testing {

inline std::string SettingsText(bool tcpIp, const std::string& address, int port, int allowedMisses,
                                const std::string& serverPath, bool onTop,
                                const std::u16string& password = u"") {
  return std::string("[SETUP]\nTCP/IP Mode=") + (tcpIp ? "Yes" : "No") +
         "\n[SERIAL]\nServer path=" + serverPath + "\nRefresh Rate=100\nTime Out=50\n" +
         "[TCP/IP]\nIP Address=" + address + "\nTCP/IP Port=" + std::to_string(port) +
         "\nIP Poll Period=1\nTime Out=" + std::to_string(allowedMisses) +
         "\nPassword=" + EncodePasswordValue(password) +
         "\n[CONFIG]\nHide Inhibits=Yes\nStay On Top=" + (onTop ? "Yes" : "No") + "\n";
}

// A panel that connects to a server on this computer at once.
inline std::string LoopbackSettings(int port, int allowedMisses = 30,
                                    const std::u16string& password = u"") {
  return SettingsText(true, "127.0.0.1", port, allowedMisses, "", false, password);
}

}  // namespace dazi::testing
