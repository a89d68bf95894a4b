#include "displaylist/DisplayListFile.h"

#include "core/Panel.h"

namespace dazi {
// Stub: to be written.
std::filesystem::path DisplayListFilePath(const Panel& panel) { return panel.State.AppPath / kDisplayListFileName; }
void LoadDisplayList(Panel&) {}
void SaveDisplayList(Panel&) {}
}  // namespace dazi
