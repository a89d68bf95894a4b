#include "settings/IniFile.h"

#include "core/Panel.h"

namespace dazi {
// Stub: to be written.
std::filesystem::path SettingsFilePath(const Panel& panel) { return panel.State.AppPath / kSettingsFileName; }
bool ReadIniFile(Panel&) { return false; }
bool WriteIniFile(Panel&) { return false; }
std::u16string ScramblePassword(const std::u16string& p) { return p; }
std::u16string UnscramblePassword(const std::u16string& p) { return p; }
}  // namespace dazi
