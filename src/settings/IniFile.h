// zorntpnl.ini: the panel's settings, in its settings folder.
#pragma once

#include <filesystem>
#include <string>

namespace dazi {

struct Panel;

inline constexpr const char* kSettingsFileName = "zorntpnl.ini";

std::filesystem::path SettingsFilePath(const Panel& panel);

// Loads every setting and applies it to the main window. False when the file is missing or a
// value is bad; a bad file is moved aside to zorntpnl.ini.bad.
bool ReadIniFile(Panel& panel);
// Writes every setting, then the display lists. False when nothing was written.
bool WriteIniFile(Panel& panel);
// Both display lists from DisplayList.dat when there is one; then a list still empty (given
// nowhere) shows every channel. ReadIniFile ends with it, and start-up runs it when there are no
// settings to read, so that an unconfigured panel has the operator's lists too.
void LoadDisplayLists(Panel& panel);

// The stored form of the password: each character's code minus its 1-based position.
std::u16string ScramblePassword(const std::u16string& password);
std::u16string UnscramblePassword(const std::u16string& stored);

}  // namespace dazi
